// File selection through the headless front end: the request, the answer, the path's bounds.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/uirt.h"
#include "tests/support/ScratchDir.h"

namespace hl = uirt::headless;

// Fails if the request is not passed on as asked, a cancel or a path that does not fit leaves a
// path behind (a cut path names another file), or an existing file is told from a new one wrongly.
TEST(FileSelect, AnswersAreCopiedWholeAndToldExistingOrNew) {
    hl::Reset();
    InitCVIRTE(nullptr, nullptr, nullptr);
    TempDir dir;
    const std::string existing = (dir.path / "old.csv").string();
    std::ofstream(existing) << "x";
    const std::string fresh = (dir.path / "new.csv").string();
    for (const std::string& answer : {existing, fresh, std::string(), existing})
        hl::AnswerNextFileSelect(answer);

    char path[512] = "stale", cancelled[512] = "stale", small[8] = "stale";
    EXPECT_EQ(std::vector({FileSelectPopup("/tmp", "h.csv", "*.csv;*.txt", "Save", 1, path, 512),
                           FileSelectPopup(nullptr, nullptr, nullptr, nullptr, 0, path, 512),
                           FileSelectPopup("", "", "", "", 0, cancelled, 512),
                           FileSelectPopup("", "", "", "", 0, small, sizeof small),
                           FileSelectPopup("", "", "", "", 0, nullptr, 8)}),
              std::vector({VAL_EXISTING_FILE_SELECTED, VAL_NEW_FILE_SELECTED, VAL_NO_FILE_SELECTED,
                           UIE_BUFFER_TOO_SMALL, UIE_NULL_POINTER}));
    EXPECT_EQ(std::tuple(std::string(path), std::string(cancelled), std::string(small)),
              std::tuple(fresh, "", ""));

    ASSERT_EQ(hl::FileSelects().size(), 4u);
    const hl::FileSelect& r = hl::FileSelects()[0];
    EXPECT_EQ(std::tuple(r.directory, r.fileName, r.filter, r.title, r.forSaving),
              std::tuple("/tmp", "h.csv", "*.csv;*.txt", "Save", true));
    hl::Reset();
}
