#include "app/files/player_file.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit on links followed in one path.
constexpr int MAX_LINK_HOPS = 40;
// mkstemp replaces these six characters of the pattern.
const char* const TEMPORARY_SUFFIX = ".XXXXXX";
constexpr std::size_t TEMPORARY_RANDOM_LENGTH = 6;

struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // Closes now and tells whether the last writes made it.
    bool close()
    {
        const int closing = fd;
        fd = -1;
        return ::close(closing) == 0;
    }
};

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at, which need not exist yet.
// Returns false for a loop of links or an unreadable link.
bool followLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        struct stat info = {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char buffer[4096];
        const ssize_t length = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            return false;
        }
        const std::string next(buffer, static_cast<std::size_t>(length));
        target = next[0] == '/' ? next : directoryOf(target) + "/" + next;
    }
    return false;
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

void syncDirectory(const std::string& directory)
{
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0) {
        ::fsync(dir.fd);
    }
}

bool isTemporaryName(const std::string& name, const std::string& base)
{
    if (name.size() != base.size() + 1 + TEMPORARY_RANDOM_LENGTH || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.') {
        return false;
    }
    for (std::size_t i = base.size() + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A writer holds a lock on its temporary until the rename, so a temporary
// nobody holds is one whose writer died. Removed under its lock, and only if
// the name still belongs to the file that was locked.
void removeStaleTemporaries(const std::string& target)
{
    const std::string directory = directoryOf(target);
    const std::string base = baseNameOf(target);
    DIR* dir = ::opendir(directory.c_str());
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isTemporaryName(name, base)) {
            continue;
        }
        const std::string path = directory + "/" + name;
        Descriptor candidate(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held = {};
        struct stat named = {};
        if (candidate.fd < 0 || ::fstat(candidate.fd, &held) != 0 || !S_ISREG(held.st_mode) ||
            ::flock(candidate.fd, LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        if (::lstat(path.c_str(), &named) == 0 && sameFile(held, named)) {
            ::unlink(path.c_str());
        }
    }
    ::closedir(dir);
}

// Makes and locks a temporary beside the target. A temporary removed by a
// concurrent clean-up before it was locked is replaced by a fresh one.
bool makeTemporary(const std::string& target, std::string& name, Descriptor& file)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        name = target + TEMPORARY_SUFFIX;
        file.fd = ::mkstemp(&name[0]);
        if (file.fd < 0) {
            return false;
        }
        struct stat held = {};
        struct stat named = {};
        if (::flock(file.fd, LOCK_EX) == 0 && ::fstat(file.fd, &held) == 0 &&
            ::lstat(name.c_str(), &named) == 0 && sameFile(held, named)) {
            return true;
        }
        file.close();
    }
    errno = EAGAIN;
    return false;
}

// The mode a file created with fopen would get.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

enum class Replaced { DONE, NO_TEMPORARY, FAILED };

Replaced replaceThroughTemporary(const std::string& target, const struct stat* old, const std::string& contents)
{
    std::string temporary;
    Descriptor file;
    if (!makeTemporary(target, temporary, file)) {
        return errno == EACCES || errno == EPERM ? Replaced::NO_TEMPORARY : Replaced::FAILED;
    }
    bool ok = ::fchmod(file.fd, old ? (old->st_mode & 07777) : newFileMode()) == 0;
    if (ok && old) {
        // Keeps a shared list's group; fails harmlessly when not permitted.
        const int ignored = ::fchown(file.fd, old->st_uid, old->st_gid);
        (void)ignored;
    }
    ok = ok && writeAll(file.fd, contents);
    ok = ok && ::fsync(file.fd) == 0;
    // Renamed while still locked, so no clean-up can take it first.
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    ok = file.close() && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return Replaced::FAILED;
    }
    // The rename itself reaches the disk with the directory.
    syncDirectory(directoryOf(target));
    return Replaced::DONE;
}

// The last resort of a folder the player may not add files to: the file's
// space is reserved before its first byte changes, so a full disk fails
// without harm; only a kill in the middle could leave a part.
bool rewriteInPlace(const std::string& target, const std::string& contents)
{
    Descriptor file(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.fd < 0) {
        return false;
    }
    const off_t size = static_cast<off_t>(contents.size());
    const int reserved = size > 0 ? ::posix_fallocate(file.fd, 0, size) : 0;
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
        return false;
    }
    bool ok = ::lseek(file.fd, 0, SEEK_SET) == 0 && writeAll(file.fd, contents);
    ok = ok && ::ftruncate(file.fd, size) == 0;
    ok = ok && ::fsync(file.fd) == 0;
    return file.close() && ok;
}

}  // namespace

bool replaceFileAtomically(const std::string& path, const std::string& contents)
{
    std::string target;
    if (!followLinks(path, target)) {
        return false;
    }
    struct stat old = {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    if (exists && (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)) {
        return false;
    }

    removeStaleTemporaries(target);
    switch (replaceThroughTemporary(target, exists ? &old : nullptr, contents)) {
    case Replaced::DONE:
        return true;
    case Replaced::NO_TEMPORARY:
        // Only a folder closed to new files; a full disk never gets here.
        return exists && rewriteInPlace(target, contents);
    case Replaced::FAILED:
        break;
    }
    return false;
}
