#include "app/high_scores.h"

#include "geometry/text_reader.h"
#include "sim/course.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool writeAll(int fd, const std::string& contents)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode a file created with fopen would get, or the old file's own.
mode_t modeFor(const std::string& path)
{
    struct stat old = {};
    if (::stat(path.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

HighScoreList::~HighScoreList()
{
    freeEntries(first);
}

HighScoreList::HighScoreList(const HighScoreList& other)
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
    return *this;
}

void HighScoreList::reset()
{
    freeEntries(first);
    first = new HighScoreEntry;
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
    for (HighScoreEntry* before = first; before->next; before = before->next) {
        if (before->next->time >= time) {
            HighScoreEntry* entry = newEntry(name, time);
            entry->next = before->next;
            before->next = entry;
            return true;
        }
    }
    return false;
}

void parseHighScores(const std::string& text, HighScoreList& list)
{
    TextReader reader(text);
    std::string name;
    float seconds = 0.0f;
    while (reader.readWord(name, HIGH_SCORE_NAME_TOKEN_MAX) && reader.readFloat(seconds)) {
        name.resize(name.size() < PLAYER_NAME_MAX ? name.size() : PLAYER_NAME_MAX);
        list.append(name.c_str(), seconds * 1000.0f);
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
    return out;
}

bool replaceFileAtomically(const std::string& path, const std::string& contents)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(&temporary[0]);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, modeFor(path)) == 0;
    ok = ok && writeAll(fd, contents);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the directory.
    const int dir = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void readHighScores()
{
    highScoreList.reset();
    std::ifstream file(HIGH_SCORE_FILE, std::ios::binary);
    if (!file) {
        printOpenError();
        return;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    parseHighScores(contents.str(), highScoreList);
    std::printf("%g\n", static_cast<double>(highScoreList.first->time));
    if (highScoreList.first->next) {
        std::printf("%g\n", static_cast<double>(highScoreList.first->next->time));
    }
    std::fflush(stdout);
}

void writeHighScores()
{
    HighScoreList updated = highScoreList;
    updated.insert(playerName[0] ? playerName : NEUTRAL_PLAYER_NAME, bestLapTime);
    if (!replaceFileAtomically(HIGH_SCORE_FILE, formatHighScores(updated))) {
        printOpenError();
        return;
    }
    std::swap(highScoreList.first, updated.first);
}
