// Safe opening and bounded reading of the library's files.
#include "platform/corvousb/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvousb {

namespace {

// Closes a descriptor at the end of a scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool IsRegular(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

int OpenForWriting(const char* path) {
    // O_NONBLOCK: opening a FIFO for writing would otherwise wait for a reader.
    Descriptor fd(::open(
        path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
    if (fd.get() < 0) return -1;
    if (!IsRegular(fd.get())) {
        errno = EINVAL;
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) < 0) return -1;
    return fd.release();
}

ReadResult ReadTextFile(const std::string& path, std::size_t limit, std::string& text,
                        std::string& problem) {
    auto refuse = [&](const std::string& reason) {
        problem = "cannot be read (" + reason + ")";
        return ReadResult::Refused;
    };
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const bool missing = errno == ENOENT;
        refuse(std::strerror(errno));
        return missing ? ReadResult::Missing : ReadResult::Refused;
    }
    if (!IsRegular(fd.get())) return refuse("not a regular file");
    text.clear();
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return refuse(std::strerror(errno));
        if (got == 0) return ReadResult::Ok;
        // The size is checked as the file is read, so a file that grows meanwhile is caught too.
        if (text.size() + static_cast<std::size_t>(got) > limit)
            return refuse("larger than " + std::to_string(limit) + " bytes");
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

void ReportFileProblem(std::string_view path, std::string_view problem) {
    std::fprintf(stderr, "CorvoUsb: %s: %s (ignored)\n", Printable(path).c_str(),
                 Printable(problem).c_str());
}

} // namespace corvousb
