// Bounded, non-blocking reading of a plan file.
#include "batch/BoundedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

std::string ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::string("cannot open it: ") + std::strerror(errno);
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        problem = "not a regular file";
    } else if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        problem = "larger than " + std::to_string(maxBytes) + " bytes";
    } else {
        text.clear();
        char buffer[65536];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 || text.size() + static_cast<std::size_t>(n) > maxBytes) {
                problem = n < 0 ? std::string("cannot read it: ") + std::strerror(errno)
                                : "larger than " + std::to_string(maxBytes) + " bytes";
                break;
            }
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return problem;
}

} // namespace batch
