// Where the help pages are: beside the executable, in the installed data folder, or in the source.
#pragma once

#include <filesystem>

// The folder that holds "Help": the executable's own folder (the build copies the pages there),
// else the data folder the package installs them in (dataFromBin, relative to the executable's
// folder), else the source tree. Empty when none of them holds a "Help" folder.
std::filesystem::path FindHelpBase(const std::filesystem::path& executableDir,
                                   const std::filesystem::path& dataFromBin,
                                   const std::filesystem::path& sourceDir);

// FindHelpBase for the running executable, the install layout and the source tree it was built
// from.
std::filesystem::path FindProgramHelpBase(void);
