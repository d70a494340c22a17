#include "geometry/background_job.h"

#include <system_error>
#include <thread>
#include <utility>

#include <sys/resource.h>
#include <unistd.h>

void runInBackground(std::function<void()> job)
{
    auto run = [](const std::function<void()>& work) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), BACKGROUND_NICENESS);
        work();
    };
    try {
        std::thread(run, job).detach();
    } catch (const std::system_error&) {
        job();
    }
}
