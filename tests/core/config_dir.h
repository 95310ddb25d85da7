// Test fixture: each kestrel.cfg test runs in a fresh empty working directory.
#pragma once

#include "tests/support/ScratchDir.h"

#include <string>

namespace fs = std::filesystem;

static const char DEFAULT_FILE[] = "New Corvo Board\nNONE\n0\n0\n0\n00000000\n1\n1\n0\n2\n0\n2\n"
                                   "3e8\n3e8\n1000\n8000\n0\n1\n0\n1\n";

class ConfigDir : public InScratchDir {
  protected:
    static void WriteFile(const std::string& bytes, const char* name = "kestrel.cfg") {
        ::WriteFile(name, bytes);
    }
    static std::string ReadFile(const char* name = "kestrel.cfg") { return ::ReadFile(name); }
};
