// The per-user working folder of a start from the desktop menu, under the XDG state folder.
#include "app/UserFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// An open descriptor, closed when replaced or at the end of its scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    for (std::size_t at = 0; at < path.size();) {
        std::size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        if (end > at) parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

int Refuse(char* problem, std::size_t size, const std::string& folder, const char* reason) {
    std::snprintf(problem, size, "cannot use the folder %s: %s", folder.c_str(), reason);
    return 0;
}

} // namespace

std::string UserFolderPath(const char* stateHome, const char* home) {
    if (IsAbsolute(stateHome)) return std::string(stateHome) + "/kestrel";
    if (IsAbsolute(home)) return std::string(home) + "/.local/state/kestrel";
    return {};
}

int EnterUserFolder(char* problem, std::size_t size) {
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = UserFolderPath(stateHome, home);
    if (folder.empty()) {
        std::snprintf(problem, size, "no per-user folder: neither XDG_STATE_HOME nor HOME is set");
        return 0;
    }
    // The environment's own folder may be reached through links (a home on another disk); the
    // folders below it are Kestrel's and are opened one at a time, never through a link.
    const std::size_t trusted = Components(IsAbsolute(stateHome) ? stateHome : home).size();
    const std::vector<std::string> parts = Components(folder);
    Fd dir(open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    int failure = dir.get() < 0 ? errno : 0;
    for (std::size_t i = 0; i < parts.size() && failure == 0; ++i) {
        const char* name = parts[i].c_str();
        if (mkdirat(dir.get(), name, 0700) != 0 && errno != EEXIST) {
            failure = errno;
            break;
        }
        const int noLink = i >= trusted ? O_NOFOLLOW : 0;
        Fd next(openat(dir.get(), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | noLink));
        failure = next.get() < 0 ? errno : 0;
        dir = std::move(next);
    }
    if (failure == ELOOP || failure == ENOTDIR)
        return Refuse(problem, size, folder, "a part of it is a symbolic link or not a folder");
    if (failure != 0) return Refuse(problem, size, folder, std::strerror(failure));
    struct stat st;
    if (fstat(dir.get(), &st) != 0) return Refuse(problem, size, folder, std::strerror(errno));
    if (st.st_uid != geteuid()) return Refuse(problem, size, folder, "it belongs to another user");
    if (fchdir(dir.get()) != 0) return Refuse(problem, size, folder, std::strerror(errno));
    return 1;
}
