// Kestrel's command-line options: --maintenance, --desktop, --help, --help-pages and --version.
#include "app/CommandLine.h"

#include "app/UserFolder.h"
#include "core/KestrelVersion.h"
#include "ui/AboutBox.h"
#include "ui/HelpFolder.h"

#include <cstdio>
#include <cstring>

static const char USAGE[] =
    "Usage: kestrel [--maintenance]\n"
    "Test utility for USB-to-FIFO boards; a simulated board stands in when none is plugged in.\n"
    "Settings are read from and saved to kestrel.cfg in the current directory.\n"
    "\n"
    "  --maintenance  show the maintenance buttons of the setup panel: Speed test,\n"
    "                 Simulation, Seachr AAFFFF, Purge fifo and Fifo status\n"
    "  --desktop      keep the working files (kestrel.cfg, the debug logs, Conf.tmp,\n"
    "                 kestrel.ini) in $XDG_STATE_HOME/kestrel, by default\n"
    "                 ~/.local/state/kestrel, as the desktop menu's entry does\n"
    "  --help         show this help and exit\n"
    "  --help-pages   show the folder of the help pages and exit\n"
    "  --version      show the version and exit\n";

static void PrintVersion(void) {
    char line[1024];
    FormatVersionLine(line, sizeof line);
    std::printf("Kestrel %s\n%s\n", KESTREL_VERSION, line);
}

static int PrintHelpFolder(void) {
    std::filesystem::path base = FindProgramHelpBase();
    if (base.empty()) {
        std::fputs("kestrel: no help pages found\n", stderr);
        return 1;
    }
    std::printf("%s\n", (base / "Help").c_str());
    return 0;
}

int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode) {
    *maintenance = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maintenance") == 0) {
            *maintenance = 1;
        } else if (std::strcmp(argv[i], "--desktop") == 0) {
            char problem[1024];
            if (!EnterUserFolder(problem, sizeof problem)) {
                std::fprintf(stderr, "kestrel: %s\n", problem);
                *exitCode = 1;
                return 0;
            }
        } else if (std::strcmp(argv[i], "--help-pages") == 0) {
            *exitCode = PrintHelpFolder();
            return 0;
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
