// The per-user working folder of a start from the desktop menu, under the XDG state folder.
#pragma once

#include <cstddef>
#include <string>

// The folder for the given values of XDG_STATE_HOME and HOME: "$XDG_STATE_HOME/kestrel" when
// that is an absolute path (the XDG rule: a relative one is ignored), else
// "$HOME/.local/state/kestrel"; empty when HOME is not absolute either. Missing values are null.
std::string UserFolderPath(const char* stateHome, const char* home);

// Makes the folder of UserFolderPath (for this process's environment) the working folder, so
// kestrel.cfg, the debug logs, Conf.tmp and the additions' settings go there. Missing folders
// are created with mode 0700. The environment's own folder ($XDG_STATE_HOME or $HOME) is taken
// as it is; what lies below it is never entered through a symbolic link, and the last folder
// must belong to the user. Returns 1 on success; 0 with the reason in problem otherwise.
int EnterUserFolder(char* problem, std::size_t size);
