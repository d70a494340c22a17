// Reads a whole data file into memory with plain POSIX calls: no stream
// exceptions to escape, and a result that says why a file could not be used,
// so each loader can print its own message and carry on or stop as it must.
#pragma once

#include <cstddef>
#include <string>

enum class FileReadStatus {
    OK,
    MISSING,      // nothing of that name (or a folder on the way is missing)
    NOT_REGULAR,  // a directory, device, pipe or socket
    UNREADABLE,   // there, but it could not be opened (permissions and the like)
    READ_FAILED,  // opened, but reading it failed part-way
    TOO_LARGE,    // larger than any file of the game can be
};

// Nothing the game reads comes near this; it keeps a hostile file from
// taking all of memory before any loader sees it.
constexpr std::size_t FILE_READ_MAX_BYTES = std::size_t{256} << 20;

// Fills bytes with the file's contents, or empties it and says why not. A
// reader whose files are small passes a lower bound of its own, so that a
// huge file in their place is refused before it is read.
FileReadStatus readWholeFile(const char* path, std::string& bytes, std::size_t maxBytes = FILE_READ_MAX_BYTES);

// The file could not even be opened as a regular file: the loaders' "Error
// opening file" case, as opposed to a read that failed after opening.
bool fileReadNotOpened(FileReadStatus status);

// A few words for a message line: "missing", "not a regular file", ...
const char* fileReadReason(FileReadStatus status);
