#include "app/files/high_scores.h"

#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <cstdio>
#include <cstring>
#include <utility>

const char* const NEUTRAL_PLAYER_NAME = "Pilot";
const char* const HIGH_SCORE_FILE = "bestenliste.txt";

HighScoreList highScoreList;

namespace {


void setName(HighScoreEntry& entry, const char* name)
{
    const std::size_t length = strnlen(name, PLAYER_NAME_MAX);
    std::memcpy(entry.name, name, length);
    entry.name[length] = '\0';
}

HighScoreEntry* newEntry(const char* name, float time)
{
    HighScoreEntry* entry = new HighScoreEntry;
    setName(*entry, name);
    entry->time = time;
    return entry;
}

void freeEntries(HighScoreEntry* entry)
{
    while (entry) {
        HighScoreEntry* next = entry->next;
        delete entry;
        entry = next;
    }
}

void printOpenError()
{
    std::printf("Error opening file: %s\n", HIGH_SCORE_FILE);
    std::fflush(stdout);
}

}  // namespace

HighScoreList::~HighScoreList()
{
    freeEntries(first);
}

HighScoreList::HighScoreList(const HighScoreList& other)
    : unread(other.unread), unreadAtStart(other.unreadAtStart)
{
    *first = *other.first;
    first->next = nullptr;
    HighScoreEntry* last = first;
    for (const HighScoreEntry* e = other.first->next; e; e = e->next) {
        last->next = newEntry(e->name, e->time);
        last = last->next;
    }
}

HighScoreList& HighScoreList::operator=(HighScoreList other)
{
    std::swap(first, other.first);
    std::swap(unread, other.unread);
    std::swap(unreadAtStart, other.unreadAtStart);
    return *this;
}

void HighScoreList::reset()
{
    freeEntries(first);
    first = new HighScoreEntry;
    unread.clear();
    unreadAtStart = false;
}

int HighScoreList::size() const
{
    int n = 0;
    for (const HighScoreEntry* e = first; e; e = e->next) {
        ++n;
    }
    return n;
}

void HighScoreList::append(const char* name, float time)
{
    if (first->time == 0.0f) {
        setName(*first, name);
        first->time = time;
        return;
    }
    HighScoreEntry* last = first;
    while (last->next) {
        last = last->next;
    }
    last->next = newEntry(name, time);
}

bool HighScoreList::insert(const char* name, float time)
{
    // A list that holds only its placeholder (no file, or an empty one) takes
    // the lap as its first real entry; the placeholder is never written.
    if (first->time == 0.0f) {
        setName(*first, name);
        first->time = time;
        return true;
    }
    if (time <= first->time) {
        HighScoreEntry* entry = newEntry(name, time);
        entry->next = first;
        first = entry;
        return true;
    }
    HighScoreEntry* before = first;
    for (; before->next; before = before->next) {
        if (before->next->time >= time) {
            break;
        }
    }
    if (!before->next && unread.empty()) {
        return false;
    }
    HighScoreEntry* entry = newEntry(name, time);
    entry->next = before->next;
    before->next = entry;
    return true;
}

void parseHighScores(const std::string& text, HighScoreList& list)
{
    TextReader reader(text);
    // Kept at hand so that reading stays linear in the file's length.
    HighScoreEntry* last = list.first;
    while (last->next) {
        last = last->next;
    }
    std::string name;
    float seconds = 0.0f;
    for (;;) {
        reader.skipSpace();
        const std::size_t lineStart = reader.offsetIn(text);
        if (!(reader.readWord(name, HIGH_SCORE_NAME_TOKEN_MAX) && reader.readFloat(seconds))) {
            list.unread = text.substr(lineStart);
            return;
        }
        name.resize(name.size() < PLAYER_NAME_MAX ? name.size() : PLAYER_NAME_MAX);
        if (list.first->time == 0.0f) {
            list.append(name.c_str(), seconds * 1000.0f);
        } else {
            last->next = newEntry(name.c_str(), seconds * 1000.0f);
            last = last->next;
        }
    }
}

std::string formatHighScores(const HighScoreList& list)
{
    std::string out;
    char line[PLAYER_NAME_MAX + 400];
    for (const HighScoreEntry* e = list.first; e; e = e->next) {
        const char* name = e->name[0] ? e->name : NEUTRAL_PLAYER_NAME;
        std::snprintf(line, sizeof line, "%s %f\n", name, static_cast<double>(e->time) / 1000.0);
        out += line;
    }
    return out + list.unread;
}

void readHighScores()
{
    highScoreList.reset();
    std::string contents;
    const FileReadStatus status = readWholeFile(HIGH_SCORE_FILE, contents);
    // A folder or an unreadable file in its place counts as no file at all.
    highScoreList.unreadAtStart = status != FileReadStatus::OK && status != FileReadStatus::MISSING;
    if (status != FileReadStatus::OK) {
        printOpenError();
        return;
    }
    parseHighScores(contents, highScoreList);
    std::printf("%g\n", static_cast<double>(highScoreList.first->time));
    if (highScoreList.first->next) {
        std::printf("%g\n", static_cast<double>(highScoreList.first->next->time));
    }
    std::fflush(stdout);
}

void writeHighScores(float bestLapMs)
{
    if (highScoreList.unreadAtStart) {
        printOpenError();
        return;
    }
    HighScoreList updated = highScoreList;
    updated.insert(settingsRead.playerName[0] ? settingsRead.playerName : NEUTRAL_PLAYER_NAME, bestLapMs);
    if (!replaceFileAtomically(HIGH_SCORE_FILE, formatHighScores(updated))) {
        printOpenError();
        return;
    }
    std::swap(highScoreList.first, updated.first);
}
