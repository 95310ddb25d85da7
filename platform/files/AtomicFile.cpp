// Unique temporary files and whole-file replacement by rename.
#include "platform/files/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace files {

namespace {

// Tries before giving up: with 62^6 names a clash is already rare, a hundred in a row is an
// attack or a folder that refuses every name.
constexpr int kTries = 100;

std::string RandomSuffix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kChars[pick(generator)];
    return suffix;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename durable; a folder that cannot be synced is no failure.
void SyncFolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A new file named `prefix` and a random suffix; the descriptor, or -1 with errno set.
int CreateUnique(const std::string& prefix, std::string& name) {
    for (int i = 0; i < kTries; ++i) {
        name = prefix + RandomSuffix();
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

int Replace(const std::string& path, std::string_view data, const struct stat* like) {
    std::string temp;
    const int fd = CreateUnique(path + ".tmp", temp);
    if (fd < 0) return errno;
    int error = 0;
    if (like != nullptr) {
        // Refused to anyone but root when the owner differs: harmless. The mode is set after the
        // owner, which may clear some mode bits.
        if (like->st_uid != ::geteuid() || like->st_gid != ::getegid()) {
            const int kept = ::fchown(fd, like->st_uid, like->st_gid);
            (void)kept;
        }
        if (::fchmod(fd, like->st_mode & 07777) != 0) error = errno;
    }
    if (error == 0 && !WriteAll(fd, data)) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolderOf(path);
    return 0;
}

int WriteRefusal(const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    if (::geteuid() == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
    return 0;
}

} // namespace files
