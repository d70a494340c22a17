#include "geometry/file_read.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every return path.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

FileReadStatus openFailure(int error)
{
    if (error == ENOENT || error == ENOTDIR) {
        return FileReadStatus::MISSING;
    }
    return FileReadStatus::UNREADABLE;
}

}  // namespace

FileReadStatus readWholeFile(const char* path, std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
    Descriptor file;
    // O_NONBLOCK keeps a FIFO in place of a data file from stalling start-up
    // in open; it is refused just below.
    do {
        file.fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (file.fd < 0 && errno == EINTR);
    if (file.fd < 0) {
        return openFailure(errno);
    }
    struct stat info = {};
    if (::fstat(file.fd, &info) != 0) {
        return FileReadStatus::UNREADABLE;
    }
    if (!S_ISREG(info.st_mode)) {
        return FileReadStatus::NOT_REGULAR;
    }
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes) {
        return FileReadStatus::TOO_LARGE;
    }

    // The size is a hint: a file that grows or shrinks while it is read is
    // still read to its end, within the limit.
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            bytes.clear();
            return FileReadStatus::READ_FAILED;
        }
        if (n == 0) {
            return FileReadStatus::OK;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            bytes.clear();
            return FileReadStatus::TOO_LARGE;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

bool fileReadNotOpened(FileReadStatus status)
{
    return status == FileReadStatus::MISSING || status == FileReadStatus::NOT_REGULAR ||
           status == FileReadStatus::UNREADABLE;
}

const char* fileReadReason(FileReadStatus status)
{
    switch (status) {
    case FileReadStatus::OK:
        return "read";
    case FileReadStatus::MISSING:
        return "missing";
    case FileReadStatus::NOT_REGULAR:
        return "not a regular file";
    case FileReadStatus::UNREADABLE:
        return "unreadable";
    case FileReadStatus::READ_FAILED:
        return "could not be read";
    case FileReadStatus::TOO_LARGE:
        return "too large";
    }
    return "unreadable";
}
