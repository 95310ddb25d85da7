// Reading and atomic saving of kestrel.ini.
#include "core/AdditionSettings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {

namespace {

constexpr std::size_t kMaxFileBytes = 65536;

std::string NotRead(const char* reason) {
    return std::string(kAdditionsFile) + " was not read (" + reason +
           "); the data check, monitor and reconnection settings start from their defaults.";
}

std::string NotSaved(const char* reason) {
    return std::string("The data check, monitor and reconnection settings could not be saved to ") +
           kAdditionsFile + ": " + reason + ".";
}

// Reads at most kMaxFileBytes + 1 bytes; a FIFO swapped in after the check never blocks.
const char* ReadBounded(int fd, std::string& text) {
    char chunk[4096];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return strerror(errno);
        if (n == 0) return nullptr;
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > kMaxFileBytes) return "larger than 64 KiB";
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

SettingsStore& Additions() {
    static SettingsStore store;
    return store;
}

std::string ReadAdditionSettings() {
    Additions().load("");
    struct stat st;
    if (stat(kAdditionsFile, &st) != 0) return errno == ENOENT ? "" : NotRead(strerror(errno));
    if (!S_ISREG(st.st_mode)) return NotRead("not a regular file");
    const int fd = open(kAdditionsFile, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return NotRead(strerror(errno));
    std::string text;
    const char* problem = ReadBounded(fd, text);
    close(fd);
    if (problem != nullptr) return NotRead(problem);
    Additions().load(text);
    return "";
}

std::string SaveAdditionSettings() {
    struct stat old;
    const bool exists = lstat(kAdditionsFile, &old) == 0;
    if (!exists && errno != ENOENT) return NotSaved(strerror(errno));
    if (!exists && Additions().empty()) return "";
    if (exists && !S_ISREG(old.st_mode)) return NotSaved("it is a link or not a regular file");
    char temp[] = "kestrel.ini.XXXXXX";
    // mkstemp creates a new file of its own (O_EXCL), so nothing is written through a link.
    const int fd = mkostemp(temp, O_CLOEXEC);
    if (fd < 0) return NotSaved(strerror(errno));
    int error = 0;
    if (fchmod(fd, exists ? old.st_mode & 07777 : 0644) != 0) error = errno;
    if (error == 0 && !WriteAll(fd, Additions().text())) error = errno;
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temp, kAdditionsFile) != 0) error = errno;
    if (error == 0) return "";
    unlink(temp);
    return NotSaved(strerror(error));
}

} // namespace settings
