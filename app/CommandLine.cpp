// Kestrel's command-line options: --maintenance, --desktop, --help, --help-pages, --version and
// Qt's standard options.
#include "app/CommandLine.h"

#include "app/UserFolder.h"
#include "core/KestrelVersion.h"
#include "ui/AboutBox.h"
#include "ui/HelpFolder.h"

#include <cstdio>
#include <cstring>
#include <string>

static const char USAGE[] =
    "Usage: kestrel [--maintenance] [--desktop] [-h | --help] [--help-pages] [--version] "
    "[QT-OPTION...]\n"
    "       kestrel run PLAN [--serial S] [--json FILE] [--junit FILE] [--set KEY=VALUE...]\n"
    "       kestrel list [--json]\n"
    "Test utility for USB-to-FIFO boards; a simulated board stands in when none is plugged in.\n"
    "Settings are read from and saved to kestrel.cfg in the current directory.\n"
    "\n"
    "  --maintenance  show the maintenance buttons of the setup panel: Speed test,\n"
    "                 Simulation, Seachr AAFFFF, Purge fifo and Fifo status\n"
    "  --desktop      keep the working files (kestrel.cfg, the debug logs, Conf.tmp,\n"
    "                 kestrel.ini) in $XDG_STATE_HOME/kestrel, by default\n"
    "                 ~/.local/state/kestrel, as the desktop menu's entry does\n"
    "  -h, --help     show this help and exit\n"
    "  --help-pages   show the folder of the help pages and exit\n"
    "  --version      show the version and exit\n"
    "  QT-OPTION      one of Qt's standard options, passed on to Qt: -platform NAME,\n"
    "                 -platformpluginpath PATH, -platformtheme NAME, -plugin NAME,\n"
    "                 -qwindowgeometry GEOMETRY, -qwindowicon FILE, -qwindowtitle TITLE,\n"
    "                 -session NAME, -display DISPLAY, -geometry GEOMETRY, -style NAME,\n"
    "                 -stylesheet FILE, -reverse, -widgetcount, -qmljsdebugger=VALUE\n"
    "\n"
    "Unattended runs (no window, no display; kestrel.cfg is neither read nor written):\n"
    "  run PLAN       run the test plan (a TOML file, see the help page \"Test plans\"),\n"
    "                 one line per step on the standard output, then a summary\n"
    "  --serial S     run on the board with serial number S instead of the plan's\n"
    "  --json FILE    write a JSON report to FILE\n"
    "  --junit FILE   write a JUnit XML report to FILE\n"
    "  --set KEY=VALUE  use VALUE for ${KEY} in the plan (e.g. a serial number to program)\n"
    "  list           list the boards on the bus: description, serial number, location\n"
    "  list --json    the same as a JSON array\n"
    "Exit status of run: 0 every step passed; 1 a limit failed; 2 usage or plan error\n"
    "(or a report that cannot be written); 3 no such board, or it could not be opened;\n"
    "4 a library error stopped the run; 130 interrupted (Ctrl-C or SIGTERM; the\n"
    "reports are still written, marked aborted).\n";

const char* KestrelUsage(void) {
    return USAGE;
}

// Qt's standard options, and whether the next argument is their value.
static const struct {
    const char* name;
    int takesValue;
} QT_OPTIONS[] = {
    {"-platform", 1},        {"-platformpluginpath", 1}, {"-platformtheme", 1}, {"-plugin", 1},
    {"-qwindowgeometry", 1}, {"-qwindowicon", 1},        {"-qwindowtitle", 1},  {"-session", 1},
    {"-display", 1},         {"-geometry", 1},           {"-style", 1},         {"-stylesheet", 1},
    {"-reverse", 0},         {"-widgetcount", 0},
};

// The Qt option an argument is, or null. Qt also reads "-style=NAME", "-stylesheet=FILE" and
// "-qmljsdebugger=VALUE", which take no separate value.
static const char* QtOption(const char* arg, int* takesValue) {
    *takesValue = 0;
    for (const char* joined : {"-style=", "-stylesheet=", "-qmljsdebugger="})
        if (std::strncmp(arg, joined, std::strlen(joined)) == 0) return joined;
    for (const auto& option : QT_OPTIONS)
        if (std::strcmp(arg, option.name) == 0) {
            *takesValue = option.takesValue;
            return option.name;
        }
    return nullptr;
}

// An argument as it can be shown on a terminal: bytes outside printable ASCII as \xNN.
static std::string Shown(const char* arg) {
    std::string shown;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(arg); *p; ++p) {
        char escaped[5] = {static_cast<char>(*p), '\0'};
        if (*p < 0x20 || *p >= 0x7F) std::snprintf(escaped, sizeof escaped, "\\x%02X", *p);
        shown += escaped;
    }
    return shown;
}

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

static int Refuse(const char* problem, const char* arg, int* exitCode) {
    std::fprintf(stderr, "kestrel: %s '%s'\n%s", problem, Shown(arg).c_str(), USAGE);
    *exitCode = 2;
    return 0;
}

int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode) {
    *maintenance = 0;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        int takesValue = 0;
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
        } else if (QtOption(argv[i], &takesValue) != nullptr) {
            if (takesValue && i + 1 >= argc) return Refuse("missing value for", argv[i], exitCode);
            argv[kept++] = argv[i];
            if (takesValue) argv[kept++] = argv[++i];
        } else {
            return Refuse("unknown option", argv[i], exitCode);
        }
    }
    argv[kept] = nullptr;
    return 1;
}
