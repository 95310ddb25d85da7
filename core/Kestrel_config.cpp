// kestrel.cfg: the 20-line settings file read at start-up and written at shutdown.
#include "core/Kestrel_core.h"
#include "platform/files/AtomicFile.h"

#include "core/AdditionSettings.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

static const char CONFIG_FILE[] = "kestrel.cfg";
static const char TOO_LARGE[] = "larger than 64 KiB";
static const char NOT_REGULAR[] = "not a regular file";

// A settings file is 20 short lines; anything larger is not one, and a device or a FIFO
// named kestrel.cfg could feed the reader forever.
enum { CONFIG_MAX_BYTES = 65536 };
// Longest part of a line the reader keeps; the rest of a longer line is skipped.
enum { MAX_KEPT_LINE = 256 };

// What the last ReadConfig or SaveConfig could not do, for the user; empty when all went well.
static std::string configProblem;

const char* GetConfigProblem(void) {
    return configProblem.c_str();
}

// kestrel.cfg with the working directory in front, as the user would look for it.
static std::string ConfigPath(void) {
    char dir[PATH_MAX];
    if (getcwd(dir, sizeof dir) == nullptr) return CONFIG_FILE;
    return std::string(dir) + (dir[1] == '\0' ? "" : "/") + CONFIG_FILE;
}

static bool NotRead(const char* reason) {
    configProblem =
        ConfigPath() + " was not read (" + reason + "); the settings start from their defaults.";
    return false;
}

// Reads the whole of kestrel.cfg into `text`. A missing file is no problem; a file that is
// not a regular one, too large or unreadable is left alone and noted.
static bool LoadConfigText(std::string& text) {
    struct stat st;
    if (stat(CONFIG_FILE, &st) != 0) return errno == ENOENT ? false : NotRead(strerror(errno));
    // Checked before opening, so that no device, FIFO or socket is ever opened.
    if (!S_ISREG(st.st_mode)) return NotRead(NOT_REGULAR);
    // Should the name be swapped for a FIFO after the check, the read neither waits for a
    // writer nor, with the size cap, goes on forever.
    int fd = open(CONFIG_FILE, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return NotRead(strerror(errno));
    const char* reason = nullptr;
    char chunk[4096];
    while (reason == nullptr) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) reason = strerror(errno);
            break;
        }
        text.append(chunk, static_cast<size_t>(n));
        if (text.size() > CONFIG_MAX_BYTES) reason = TOO_LARGE;
    }
    close(fd);
    return reason == nullptr ? true : NotRead(reason);
}

// Takes the next line of `text` from `at` without its line end ("\n" or "\r\n"). Returns
// false at the end of the text when nothing was left.
static bool ReadLine(const std::string& text, size_t& at, std::string& line) {
    if (at >= text.size()) return false;
    size_t end = text.find('\n', at);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > at && text[end - 1] == '\r' && next > end) --end;
    line.assign(text, at, std::min<size_t>(end - at, MAX_KEPT_LINE));
    at = next;
    return true;
}

static const char BLANKS[] = " \t\r\n\v\f";

// First white-space-delimited word of a line (empty when there is none).
static std::string FirstWord(const std::string& line) {
    size_t begin = line.find_first_not_of(BLANKS);
    if (begin == std::string::npos) return {};
    size_t end = line.find_first_of(BLANKS, begin);
    return line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// A line without the white space around it (empty when it is all blank).
static std::string Trimmed(const std::string& line) {
    size_t begin = line.find_first_not_of(BLANKS);
    if (begin == std::string::npos) return {};
    return line.substr(begin, line.find_last_not_of(BLANKS) - begin + 1);
}

// Parses the number at the start of a line as a 32-bit value, like scanf's %x or %d on a
// 32-bit long. Returns false when the line holds no number.
static bool ParseValue(const std::string& line, int base, int* value) {
    std::string word = FirstWord(line);
    if (word.empty()) return false;
    char* end = nullptr;
    if (base == 10) {
        long long v = strtoll(word.c_str(), &end, 10);
        if (end == word.c_str()) return false;
        if (v > INT32_MAX) v = INT32_MAX;
        if (v < INT32_MIN) v = INT32_MIN;
        *value = static_cast<int>(v);
    } else {
        unsigned long long v = strtoull(word.c_str(), &end, 16);
        if (end == word.c_str()) return false;
        *value = static_cast<int>(static_cast<unsigned>(v & 0xFFFFFFFFu));
    }
    return true;
}

typedef void (*IntSetter)(int);

// Lines 3 to 20: the setter of each line, the base it is read in and the values it takes. A
// value out of range keeps its default like a malformed one: no control can show it and the
// code after it (buffer sizes, loop timer, time-outs) would misbehave. The word size is also
// written in decimal and read in hex, which agree only from 0 to 9.
static const struct {
    IntSetter set;
    int base;
    int min;
    int max;
} numericLines[] = {
    {SetSubAddress, 16, INT_MIN, INT_MAX},
    {SetIOMode, 16, INT_MIN, INT_MAX},
    {SetWordSize, 16, 0, 2},
    {SetStartVal, 16, INT_MIN, INT_MAX},
    {SetIncrement, 16, INT_MIN, INT_MAX},
    {SetWordCount, 16, 0, 65536},
    {SetPatternPos, 16, INT_MIN, INT_MAX},
    {SetLoopTime, 16, 1, INT_MAX},
    {SetLoopTimePos, 16, INT_MIN, INT_MAX},
    {SetLatTimer, 10, INT_MIN, INT_MAX},
    {SetTxTimeout, 16, 1, INT_MAX},
    {SetRxTimeout, 16, 1, INT_MAX},
    {SetTxBuffer, 16, 1, INT_MAX},
    {SetRxBuffer, 16, 1, INT_MAX},
    {SetShowEpromState, 16, INT_MIN, INT_MAX},
    {SetPrintState, 16, INT_MIN, INT_MAX},
    {SetMSBFirst, 16, INT_MIN, INT_MAX},
    {SetShortPrint, 16, INT_MIN, INT_MAX},
};

int ReadConfig(void) {
    InitTestBoard();
    configProblem = settings::ReadAdditionSettings();
    std::string text;
    if (!LoadConfigText(text)) return 0;

    // A value that is missing, unreadable or out of range keeps its default.
    size_t at = 0;
    std::string line;
    if (ReadLine(text, at, line)) SetDevDesc(line.c_str());
    if (ReadLine(text, at, line)) {
        // The whole line: a board's serial number may hold spaces, and the saved one must
        // reopen the same board.
        std::string serNum = Trimmed(line);
        if (serNum == "NONE") {
            SetSerNum("");
        } else if (!serNum.empty()) {
            SetSerNum(serNum.c_str());
        }
    }
    for (const auto& entry : numericLines) {
        if (!ReadLine(text, at, line)) break;
        int value;
        if (ParseValue(line, entry.base, &value) && value >= entry.min && value <= entry.max)
            entry.set(value);
    }
    return 1;
}

// Formats the 20 lines of the file; returns the length, or -1 when it does not fit.
static int FormatConfig(char* out, size_t size) {
    const char* serNum = GetSerNum()[0] == '\0' ? "NONE" : GetSerNum();
    int n = snprintf(
        out, size,
        "%s\n%s\n%x\n%x\n%d\n%08X\n%x\n%x\n%x\n%x\n%x\n%d\n%x\n%x\n%x\n%x\n%x\n%x\n%x\n%x\n",
        GetDevDesc(), serNum, static_cast<unsigned>(GetSubAddress()),
        static_cast<unsigned>(GetIOMode()), GetWordSize(), static_cast<unsigned>(GetStartVal()),
        static_cast<unsigned>(GetIncrement()), static_cast<unsigned>(GetWordCount()),
        static_cast<unsigned>(GetPatternPos()), static_cast<unsigned>(GetLoopTime()),
        static_cast<unsigned>(GetLoopTimePos()), GetLatTimer(),
        static_cast<unsigned>(GetTxTimeout()), static_cast<unsigned>(GetRxTimeout()),
        static_cast<unsigned>(GetTxBuffer()), static_cast<unsigned>(GetRxBuffer()),
        static_cast<unsigned>(GetShowEpromState()), static_cast<unsigned>(GetPrintState()),
        static_cast<unsigned>(IsMSBFirst()), static_cast<unsigned>(GetShortPrint()));
    return (n < 0 || static_cast<size_t>(n) >= size) ? -1 : n;
}

static int NotSaved(const std::string& reason) {
    configProblem = "The settings could not be saved to " + ConfigPath() + ": " + reason + ".";
    return 0;
}

// The file a save replaces: kestrel.cfg, or the file a symbolic link of that name points to,
// so that the link stays a link. False with the reason when there is none to use.
static bool SaveTarget(std::string& target, std::string& reason) {
    struct stat st;
    target = CONFIG_FILE;
    if (lstat(CONFIG_FILE, &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char* resolved = realpath(CONFIG_FILE, nullptr);
    if (resolved == nullptr) {
        reason = errno == ENOENT ? "it is a symbolic link to a missing file" : strerror(errno);
        return false;
    }
    target = resolved;
    free(resolved);
    return true;
}

// Writes a temporary file beside kestrel.cfg and renames it over the old one, so a failed
// or interrupted save never leaves a half-written settings file. A file the user may not
// write, or that is no settings file, is left alone; the reason is kept for the user.
int SaveConfig(void) {
    configProblem = settings::SaveAdditionSettings();
    char text[1024];
    int length = FormatConfig(text, sizeof text);
    if (length < 0) return NotSaved("the settings do not fit the file");

    std::string target, reason;
    if (!SaveTarget(target, reason)) return NotSaved(reason);
    struct stat old;
    bool exists = stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return NotSaved(strerror(errno));
    if (exists && !S_ISREG(old.st_mode)) return NotSaved(NOT_REGULAR);
    if (exists && old.st_size > CONFIG_MAX_BYTES) return NotSaved(TOO_LARGE);
    if (int refusal = exists ? files::WriteRefusal(target, old) : 0)
        return NotSaved(strerror(refusal));

    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : target.substr(0, slash);
    struct stat folderStat;
    if (stat(folder.c_str(), &folderStat) != 0) return NotSaved(strerror(errno));
    if (int refusal = files::WriteRefusal(folder, folderStat))
        return NotSaved(std::string("its folder cannot be written (") + strerror(refusal) + ")");

    // The replacement keeps the old file's owner where the system allows it, and its mode. Its
    // temporary file has a name of its own, so neither a second Kestrel nor files left by
    // killed ones get in the way.
    int error = files::Replace(target, std::string_view(text, static_cast<size_t>(length)),
                               exists ? &old : nullptr);
    return error == 0 ? 1 : NotSaved(strerror(error));
}
