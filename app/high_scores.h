// The high-score list "bestenliste.txt": best laps, fastest first, read at
// start, shown by the overlay and rewritten at exit when a lap was completed.
#pragma once

#include "app/settings.h"

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
    // every entry is not added. Returns whether the list changed.
    bool insert(const char* name, float time);
};

extern HighScoreList highScoreList;

// Appends the "name seconds" lines of the text to the list until a line does
// not give both fields.
void parseHighScores(const std::string& text, HighScoreList& list);
// One "%s %f\n" line per entry, the time in seconds.
std::string formatHighScores(const HighScoreList& list);

// Replaces the file at path with contents through a temporary file in the same
// directory, flushed to disk before it is renamed over the old one: a crash or
// a full disk leaves either the old file or the new one, never a part.
bool replaceFileAtomically(const std::string& path, const std::string& contents);

// Start-up: reads "bestenliste.txt" into highScoreList and echoes the first
// and second entries' times in milliseconds.
void readHighScores();
// Exit: inserts the run's best lap under the player's name and rewrites the
// file. On failure the old file stays, the list is unchanged and the failure
// is reported on standard output.
void writeHighScores();
