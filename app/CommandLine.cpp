// Kestrel's command-line options: --maintenance, --help and --version.
#include "app/CommandLine.h"

#include "ui/AboutBox.h"

#include <cstdio>
#include <cstring>

static const char USAGE[] =
    "Usage: kestrel [--maintenance]\n"
    "Test utility for USB-to-FIFO boards; a simulated board stands in when none is plugged in.\n"
    "Settings are read from and saved to kestrel.cfg in the current directory.\n"
    "\n"
    "  --maintenance  show the maintenance buttons of the setup panel: Speed test,\n"
    "                 Simulation, Seachr AAFFFF, Purge fifo and Fifo status\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n";

static void PrintVersion(void) {
    char line[1024];
    FormatVersionLine(line, sizeof line);
    std::printf("Kestrel 2.0\n%s\n", line);
}

int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode) {
    *maintenance = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maintenance") == 0) {
            *maintenance = 1;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(USAGE, stdout);
            *exitCode = 0;
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            PrintVersion();
            *exitCode = 0;
            return 0;
        } else {
            std::fprintf(stderr, "kestrel: unknown option '%s'\n%s", argv[i], USAGE);
            *exitCode = 2;
            return 0;
        }
    }
    return 1;
}
