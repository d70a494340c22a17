// The high-score list "bestenliste.txt": best laps, fastest first, read at
// start, shown by the overlay and rewritten at exit when a lap was completed.
#pragma once

#include "app/files/player_file.h"
#include "app/files/settings.h"

#include <string>

// Longest name token read from the file; names are then cut to PLAYER_NAME_MAX.
constexpr int HIGH_SCORE_NAME_TOKEN_MAX = 23;
// Written for a player without a name, so the line still reads back as name and time.
extern const char* const NEUTRAL_PLAYER_NAME;
extern const char* const HIGH_SCORE_FILE;

struct HighScoreEntry {
    char name[PLAYER_NAME_MAX + 1] = "";
    float time = 0.0f;  // lap time in milliseconds
    HighScoreEntry* next = nullptr;
};

// A singly linked list in file order. It always has a first entry: before
// reading, a placeholder whose time is 0. A first entry of time 0 counts as
// empty: the next entry read or inserted takes its place.
struct HighScoreList {
    HighScoreEntry* first = new HighScoreEntry;
    // The bytes of the file from the line where reading stopped (a malformed
    // line, a NUL) to its end. They are written back unchanged after the
    // entries, so no lap is ever dropped by a rewrite.
    std::string unread;
    // The file was there at start but could not be read: it is never written
    // over, as the laps it holds may be the player's.
    bool unreadAtStart = false;

    HighScoreList() = default;
    ~HighScoreList();
    HighScoreList(const HighScoreList& other);
    HighScoreList& operator=(HighScoreList other);

    // Back to the placeholder alone.
    void reset();
    bool onlyPlaceholder() const { return first->time == 0.0f && !first->next; }
    int size() const;
    // As read from the file: into an empty first entry, otherwise at the end.
    void append(const char* name, float time);
    // A lap by time order, before entries of equal time. A lap slower than
    // every entry is not added, unless part of the file was left unread: then
    // it goes after the entries, ahead of the unread rest, which may well hold
    // slower laps. Returns whether the list changed.
    bool insert(const char* name, float time);
};

// Read at start, rewritten by the exit sequence, which any toolkit callback
// may run.
extern HighScoreList highScoreList;

// Appends the "name seconds" lines of the text to the list until a line does
// not give both fields; what is left from there on goes to list.unread.
void parseHighScores(const std::string& text, HighScoreList& list);
// One "%s %f\n" line per entry, the time in seconds, then the unread rest.
std::string formatHighScores(const HighScoreList& list);

// Start-up: reads "bestenliste.txt" into highScoreList and echoes the first
// and second entries' times in milliseconds.
void readHighScores();
// Exit: inserts the run's best lap (ms) under the player's name and rewrites
// the file. On failure the old file stays, the list is unchanged and the failure
// is reported on standard output. A file that was there at start but could
// not be read is never written over.
void writeHighScores(float bestLapMs);
