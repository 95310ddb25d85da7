// kestrel.cfg: the 20-line settings file read at start-up and written at shutdown.
#include "core/Kestrel_core.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

static const char CONFIG_FILE[] = "kestrel.cfg";
static const char CONFIG_TEMP_FILE[] = "kestrel.cfg.tmp";

// Longest part of a line the reader keeps; the rest of a longer line is skipped.
enum { MAX_KEPT_LINE = 256 };

// Reads one line without its line end ("\n" or "\r\n"). Returns false at end of file when
// nothing was read.
static bool ReadLine(FILE* file, std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = getc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (line.size() < MAX_KEPT_LINE) line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r' && c == '\n') line.pop_back();
    return any;
}

// First white-space-delimited word of a line (empty when there is none).
static std::string FirstWord(const std::string& line) {
    const char* blanks = " \t\r\n\v\f";
    size_t begin = line.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    size_t end = line.find_first_of(blanks, begin);
    return line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
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

// Lines 3 to 20: the setter of each line and the base it is read in.
static const struct {
    IntSetter set;
    int base;
} numericLines[] = {
    {SetSubAddress, 16},  {SetIOMode, 16},     {SetWordSize, 16},       {SetStartVal, 16},
    {SetIncrement, 16},   {SetWordCount, 16},  {SetPatternPos, 16},     {SetLoopTime, 16},
    {SetLoopTimePos, 16}, {SetLatTimer, 10},   {SetTxTimeout, 16},      {SetRxTimeout, 16},
    {SetTxBuffer, 16},    {SetRxBuffer, 16},   {SetShowEpromState, 16}, {SetPrintState, 16},
    {SetMSBFirst, 16},    {SetShortPrint, 16},
};

int ReadConfig(void) {
    InitTestBoard();
    FILE* file = fopen(CONFIG_FILE, "r");
    if (file == nullptr) return 0;

    // A value that is missing or unreadable keeps its default.
    std::string line;
    if (ReadLine(file, line)) SetDevDesc(line.c_str());
    if (ReadLine(file, line)) {
        std::string word = FirstWord(line);
        if (word == "NONE") {
            SetSerNum("");
        } else if (!word.empty()) {
            SetSerNum(word.c_str());
        }
    }
    for (const auto& entry : numericLines) {
        if (!ReadLine(file, line)) break;
        int value;
        if (ParseValue(line, entry.base, &value)) entry.set(value);
    }
    fclose(file);
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

static bool WriteAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        ssize_t written = write(fd, data, length);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

// Writes a temporary file beside kestrel.cfg and renames it over the old one, so a failed
// or interrupted save never leaves a half-written settings file.
int SaveConfig(void) {
    char text[1024];
    int length = FormatConfig(text, sizeof text);
    if (length < 0) return 0;

    int fd = open(CONFIG_TEMP_FILE, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return 0;
    bool ok = WriteAll(fd, text, static_cast<size_t>(length)) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (!ok || rename(CONFIG_TEMP_FILE, CONFIG_FILE) != 0) {
        unlink(CONFIG_TEMP_FILE);
        return 0;
    }
    return 1;
}
