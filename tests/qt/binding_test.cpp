// The control bindings' registration: every kind has a binding of its own, and a kind out of
// step with the build shows nothing instead of crashing.
#include <gtest/gtest.h>

#include <set>

#include "platform/uirt/qt/ControlBinding.h"

namespace {

using uirt::CtrlKind;
using uirt::qt::BindingFor;

constexpr int kKinds = static_cast<int>(CtrlKind::Splitter) + 1;
const CtrlKind kUnknown = static_cast<CtrlKind>(kKinds + 7);

// Fails when two kinds share a registration or a kind falls back to the empty binding.
TEST(ControlBindings, EveryKindHasItsOwnBinding) {
    std::set<const uirt::qt::ControlBinding*> seen{&BindingFor(kUnknown)};
    for (int k = 0; k < kKinds; ++k)
        EXPECT_TRUE(seen.insert(&BindingFor(static_cast<CtrlKind>(k))).second) << "kind " << k;
}

class NoHost final : public uirt::qt::ViewHost {
  public:
    bool isInputSource(int, int) const override { return false; }
    bool mirroring() const override { return false; }
    void rightClick(int, int, QPoint) override {}
    void dispose(std::unique_ptr<QWidget>) override {}

  private:
    void deliverInput(int, int, const std::function<void()>&, bool) override {}
    bool setMirroring(bool) override { return false; }
};

// Fails when a control of an unknown kind gets a widget, a label or a timer.
TEST(ControlBindings, AnUnknownKindShowsNothing) {
    NoHost host;
    const uirt::ControlState control;
    uirt::qt::ControlView view;
    const uirt::qt::ControlBinding& binding = BindingFor(kUnknown);
    binding.create(view, {nullptr, nullptr, host, 1, control});
    EXPECT_EQ(binding.labelPlace(), uirt::qt::LabelPlace::None);
    EXPECT_TRUE(view.widget.isNull());
    EXPECT_TRUE(view.timer.isNull());
}

} // namespace
