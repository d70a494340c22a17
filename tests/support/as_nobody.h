// Runs a check in a child process as the unprivileged user nobody, for files
// the player may not read or write: root ignores file permissions, so a check
// run as root would prove nothing. Header-only, for the core tests too.
#pragma once

#include <cstdio>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr unsigned NOBODY_ID = 65534;

// fn returns the child's exit status. When this process is not root it is
// already a user whom permissions bind, and fn runs as it is.
template <typename Fn>
int exitStatusAsNobody(Fn fn)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(NOBODY_ID, NOBODY_ID, NOBODY_ID) != 0 ||
                               setresuid(NOBODY_ID, NOBODY_ID, NOBODY_ID) != 0)) {
            _exit(125);
        }
        const int status = fn();
        std::fflush(stdout);
        _exit(status);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
