// Replacing a file whole, so that a crash, a kill or a second writer never leaves it half-written.
#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace files {

// Replaces `path` with a file holding `data`: written to a unique temporary file beside it
// ("PATH.tmp" and six random letters and digits, created exclusively: an existing file or link
// of that name is never opened, so writers never share one), synced, renamed over `path`, the
// folder synced. The new file has mode 0666 less the umask or, with `like`, that file's owner
// (where the system allows) and mode. A link at `path` is itself replaced, never followed.
// Returns 0, or the errno of the step that failed, with the temporary file removed and `path`
// untouched.
int Replace(const std::string& path, std::string_view data, const struct stat* like = nullptr);

// Whether the user may write the file or folder at `path`, whose status is `st`: the system's
// answer and, for root, whom the system lets write anything, the mode's write bits, so that what
// a user marked read-only stays read-only. 0, or the errno that says why not.
int WriteRefusal(const std::string& path, const struct stat& st);

} // namespace files
