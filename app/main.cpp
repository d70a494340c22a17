#include "app/race/replay_verify.h"
#include "app/loop/startup.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Proving a replay runs headless: no display, sound or data file is opened.
    if (argc >= 2 && std::strcmp(argv[1], "--verify") == 0) {
        if (argc != 3) {
            std::printf("Usage: vorel --verify FILE\n");
            return 1;
        }
        return verifyReplayFile(argv[2]);
    }
    return runGame(argc, argv);
}
