// Test helper: what a piece of code writes to the standard output or error.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

// Runs `run` with file descriptor `fd` (STDOUT_FILENO or STDERR_FILENO) going to a temporary
// file, and returns what was written there.
inline std::string CaptureOutput(int fd, const std::function<void()>& run) {
    std::fflush(nullptr);
    FILE* file = std::tmpfile();
    if (file == nullptr) return "(no temporary file)";
    const int saved = ::dup(fd);
    ::dup2(::fileno(file), fd);
    run();
    std::fflush(nullptr);
    ::dup2(saved, fd);
    ::close(saved);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text.push_back(static_cast<char>(c));
    std::fclose(file);
    return text;
}
