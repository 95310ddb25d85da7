// Where the help pages are: beside the executable, in the installed data folder, or in the source.
#include "ui/HelpFolder.h"

#include <system_error>

namespace fs = std::filesystem;

static bool HoldsHelp(const fs::path& base) {
    std::error_code ec;
    return fs::is_directory(base / "Help", ec);
}

fs::path FindHelpBase(const fs::path& executableDir, const fs::path& dataFromBin,
                      const fs::path& sourceDir) {
    for (const fs::path& base :
         {executableDir, (executableDir / dataFromBin).lexically_normal(), sourceDir})
        if (!base.empty() && HoldsHelp(base)) return base;
    return {};
}

fs::path FindProgramHelpBase(void) {
    std::error_code ec;
    fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return FindHelpBase(ec ? fs::path() : executable.parent_path(), KESTREL_DATA_FROM_BIN,
                        KESTREL_SOURCE_DIR);
}
