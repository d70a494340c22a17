// The golden replay's driver.
//   vorel_replay record <script> <frames> <seed> <ms>...  let the pilot fly and save its events
//   vorel_replay play <script> [<digest>]                 write the digest (to standard output)
//   vorel_replay check <script> <expected digest>         compare with the expected digest
#include "replay/replay.h"
#include "replay/replay_script.h"
#include "tests/replay/pilot.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: vorel_replay record <script> <frames> <seed> <ms>...\n"
                 "       vorel_replay play <script> [<digest>]\n"
                 "       vorel_replay check <script> <expected digest>\n");
    return 2;
}

bool readScript(const char* path, InputScript& script)
{
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "vorel_replay: cannot open %s\n", path);
        return false;
    }
    std::string error;
    if (!parseInputScript(in, script, error)) {
        std::fprintf(stderr, "vorel_replay: %s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

bool play(const char* path, ReplayResult& result)
{
    InputScript script;
    if (!readScript(path, script)) {
        return false;
    }
    std::string error;
    if (!playInputScript(script, result, error)) {
        std::fprintf(stderr, "vorel_replay: %s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

bool writeLines(const char* path, const std::vector<std::string>& lines)
{
    std::ofstream out(path);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "vorel_replay: cannot write %s\n", path);
        return false;
    }
    return true;
}

int record(int argc, char** argv)
{
    if (argc < 6) {
        return usage();
    }
    InputScript script;
    script.frameCount = std::atoi(argv[3]);
    script.seed = static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10));
    for (int k = 5; k < argc; ++k) {
        script.frameMs.push_back(std::strtof(argv[k], nullptr));
    }
    if (script.frameCount < 1 || script.frameCount > SCRIPT_MAX_FRAMES) {
        return usage();
    }
    ReplayResult flown;
    recordPilotRun(script, flown);

    const ReplayCounts& c = flown.counts;
    char counts[200];
    std::snprintf(counts, sizeof counts,
                  "rocket launches %d, rocket hits %d, craft contacts %d, gates passed %d, laps %d", c.launches,
                  c.rocketHits, c.craftContacts, c.gatesPassed, c.laps);
    const std::vector<std::string> header = {
        "Recorded play for the golden replay, flown by the scripted pilot (tests/replay/pilot.cpp).",
        "Regenerate with scripts/regenerate-replay.sh --record; the format is described in replay/replay_script.h.",
        counts,
    };
    {
        std::ofstream out(argv[2]);
        writeInputScript(out, script, header);
        out.close();
        if (!out) {
            std::fprintf(stderr, "vorel_replay: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    // What was saved must replay to exactly the run that was flown.
    ReplayResult replayed;
    if (!play(argv[2], replayed)) {
        return 1;
    }
    if (replayed.digest != flown.digest) {
        std::fprintf(stderr, "vorel_replay: the saved script does not replay the flown run\n");
        return 1;
    }
    for (const std::string& line : replayed.digest) {
        if (line[0] == '#') {
            std::printf("%s\n", line.c_str());
        }
    }
    return 0;
}

int check(const char* scriptPath, const char* expectedPath)
{
    std::ifstream in(expectedPath);
    if (!in) {
        std::fprintf(stderr, "vorel_replay: cannot open %s\n", expectedPath);
        return 1;
    }
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);) {
        expected.push_back(line);
    }
    const auto start = std::chrono::steady_clock::now();
    ReplayResult result;
    if (!play(scriptPath, result)) {
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const std::string& line : result.digest) {
        if (line[0] == '#') {
            std::printf("%s\n", line.c_str());
        }
    }
    // Frame lines first: the first frame that differs says when the run
    // parted; the header's counts only say that it did.
    for (const bool frames : {true, false}) {
        const size_t common = expected.size() < result.digest.size() ? expected.size() : result.digest.size();
        for (size_t k = 0; k < common; ++k) {
            const bool isFrame = expected[k].compare(0, 6, "frame ") == 0;
            if (isFrame == frames && expected[k] != result.digest[k]) {
                std::printf("first difference at line %zu of %s:\n  expected: %s\n  replayed: %s\n", k + 1,
                            expectedPath, expected[k].c_str(), result.digest[k].c_str());
                std::printf("if the simulation was meant to change, run scripts/regenerate-replay.sh\n");
                return 1;
            }
        }
    }
    if (expected.size() != result.digest.size()) {
        std::printf("%s has %zu lines, the replay gave %zu\n", expectedPath, expected.size(), result.digest.size());
        return 1;
    }
    std::printf("replay matches %s: %zu lines, %.2f s\n", expectedPath, expected.size(), seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        return usage();
    }
    const std::string mode = argv[1];
    if (mode == "record") {
        return record(argc, argv);
    }
    if (mode == "play" && argc <= 4) {
        ReplayResult result;
        if (!play(argv[2], result)) {
            return 1;
        }
        if (argc == 4) {
            return writeLines(argv[3], result.digest) ? 0 : 1;
        }
        for (const std::string& line : result.digest) {
            std::cout << line << '\n';
        }
        return 0;
    }
    if (mode == "check" && argc == 4) {
        return check(argv[2], argv[3]);
    }
    return usage();
}
