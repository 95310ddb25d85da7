// Base fixture of the Qt front-end tests: a fresh model with Kestrel's panels, the main one loaded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QWidget>
#include <utility>

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/KestrelUIR.h"
#include "ui/Resources.h"

// The QApplication lives for the whole program (front_end_test.cpp); each test starts the front end
// again on a reset model.
class QtPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uirt::ResetModel();
        RegisterKestrelResources();
        ASSERT_EQ(InitCVIRTE(nullptr, nullptr, nullptr), 1);
        main_ = LoadPanel(0, "KestrelUIR.uir", MAINPANEL);
        ASSERT_GT(main_, 0);
    }
    void TearDown() override { uirt::ResetModel(); }

    template <typename W> W* widget(int panel, int control) {
        W* w = qobject_cast<W*>(uirt::qt::ControlWidget(panel, control));
        EXPECT_NE(w, nullptr) << "control " << control;
        return w;
    }
    // The model's text selection of a control: start, length.
    static std::pair<int, int> Selection(int panel, int control) {
        const uirt::ControlState& c = *uirt::FindControl(panel, control);
        return {c.selectionStart, c.selectionLength};
    }
    // A right click at `at` in the viewport of a text box, as the window system sends it.
    static void RightClick(QWidget* viewport, QPoint at) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &click);
    }

    int main_ = 0;
};
