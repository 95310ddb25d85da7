// Headless front end's progress box: records what it showed and presses Stop when told.
#include "platform/uirt/headless/progress.h"

namespace uirt::headless {

namespace {

struct Record {
    std::vector<std::string> shown;
    int stopAt = 0;
    int updates = 0;
};

Record& record() {
    static Record r;
    return r;
}

class RecordingBox final : public ProgressBox {
  public:
    void open(std::string_view title, std::string_view text) override {
        record().shown.push_back("open " + std::string(title) + ": " + std::string(text));
    }
    bool update(int percent) override {
        Record& r = record();
        r.shown.push_back("update " + std::to_string(percent));
        return ++r.updates == r.stopAt;
    }
    void close() override { record().shown.push_back("close"); }
};

} // namespace

ProgressBox& TestProgressBox() {
    static RecordingBox box;
    return box;
}

void StopProgressAt(int update) {
    record().stopAt = update;
    record().updates = 0;
}

const std::vector<std::string>& ProgressShown() {
    return record().shown;
}

void ResetProgress() {
    record() = Record{};
    SetProgressClock(nullptr);
}

} // namespace uirt::headless
