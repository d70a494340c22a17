// "bestlap.replay": the player's fastest lap ever, as a replay that can be
// watched and that `vorel --verify` re-simulates to prove its time.
//
// A text file of white-space separated fields, laid out one item a line.
// Every float, double, int and generator state is written as the hex digits
// of its bits (8 for a float, int or state, 16 for a double, most
// significant first), so that it reads back to the bit:
//
//   vorel-replay 1           format name and version
//   lap 476f3a00             lap time, ms (float bits)
//   world 46375              number of world values (the count this version
//   ...                      walks, app/files/replay_world.h), then the values one
//                            record a line: camera, flight, the asteroids,
//                            the rockets, the gates, then cooldown, lap and
//                            frame times and the generator's state; floats
//                            and doubles within ±1e9, rocket states, explosion
//                            images, trail counts and gate flags in range
//   frames 3650              number of frames, 1 to REPLAY_FRAME_MAX, then
//   44a8c000 1 0 1 L 3c8efa35 bc0efa35   one frame a line: clock reading (ms,
//   ...                      never below the one before, nor below the start
//                            world's, and at most the longest lap, ten
//                            minutes, after it), thrust and roll (-1, 0 or 1), the
//                            number of commands (up to
//                            REPLAY_FRAME_COMMAND_MAX) and each command: L
//                            with yaw and pitch (radians), F (launch) or R
//                            (restart)
//   end 9c1b0e5f03a2d417     the fingerprint of the world after the last
//                            frame (worldPrint), 16 hex digits
//
// Anything else, including a count beyond its bound, a value out of range or
// text after the fingerprint, makes the whole file malformed.
#pragma once

#include "app/race/lap_replay.h"

#include <string>

extern const char* const BESTLAP_REPLAY_FILE;
constexpr int REPLAY_FILE_VERSION = 1;
// Larger than the longest lap's file can be; a larger file is refused unread.
constexpr std::size_t REPLAY_FILE_MAX_BYTES = std::size_t{48} << 20;

enum ReplayFileStatus : int {
    REPLAY_FILE_OK,
    REPLAY_FILE_MISSING,     // no such file
    REPLAY_FILE_UNREADABLE,  // cannot be opened or read, or not a regular file
    REPLAY_FILE_MALFORMED,   // not a valid file of this version, or too large
    REPLAY_FILE_NEWER,       // a later version of the format: left alone
};

// Parses the text; the replay is filled only when the result is REPLAY_FILE_OK.
// Its start world then holds no models and files its asteroids anew.
ReplayFileStatus parseReplay(const std::string& text, LapReplay& replay);
std::string formatReplay(const LapReplay& replay);

// Reads the file at path whole, within its bound, and parses it.
ReplayFileStatus readReplayFile(const char* path, LapReplay& replay);
// The one line naming a file that could not be used: "Error opening file: "
// or "Error reading file: " and the path. Nothing for OK.
void reportReplayFile(ReplayFileStatus status, const char* path);

// Exit: writes the run's best lap to "bestlap.replay" when it beats the
// stored one, or when there is no file of this format to lose.
void saveBestLapReplay(const LapRecorder& recorder);
