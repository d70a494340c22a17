// The high-score list "bestenliste.txt": best laps, fastest first, read at
// start, shown by the overlay and rewritten at exit when a lap was completed.
#pragma once

#include "app/settings.h"

struct HighScoreEntry {
    char name[PLAYER_NAME_MAX + 1] = "";
    float time = 0.0f;  // lap time in milliseconds
    HighScoreEntry* next = nullptr;
};

// A singly linked list in file order. It always has a first entry: before
// reading, a placeholder whose time is 0.
struct HighScoreList {
    HighScoreEntry* first = new HighScoreEntry;
};

extern HighScoreList highScoreList;
