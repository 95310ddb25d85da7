// One panel's window in the Qt front end: its widgets, menu bar and timers, mirrored from the
// model.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string_view>

#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/ViewHost.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace uirt::qt {

class TextBox;

// The top-level window of a panel. Closing it through the window manager presses the
// panel's close control through the model instead of closing the window.
class PanelShell : public QWidget {
    Q_OBJECT
  public:
    PanelShell(ViewHost& host, int panel);
    // The panel area: controls are placed in its coordinates, below the menu bar if any.
    QWidget* body() const { return body_; }
    QMenuBar* menuBar() const { return menuBar_; }
    QMenuBar* addMenuBar();
    int panel() const { return panel_; }

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

  private:
    ViewHost& host_;
    int panel_;
    QWidget* body_;               // child: owned by this window
    QMenuBar* menuBar_ = nullptr; // child: owned by this window
};

// Builds the window for a loaded panel and keeps it in step with the model. User input on
// the widgets goes to the front end, which passes it to the model's input API.
class PanelView {
  public:
    PanelView(ViewHost& host, const PanelState& panel);
    ~PanelView();
    PanelView(const PanelView&) = delete;
    PanelView& operator=(const PanelView&) = delete;

    PanelShell* window() const { return window_.get(); }
    int menuBar() const { return menuBar_; }

    // Mirrors the panel's visibility, title and position.
    void syncPanel(const PanelState& panel);
    // Mirrors one aspect of a control. Every setter compares first, so mirroring what the
    // widget already shows leaves the user's cursor and selection alone.
    void syncControl(const ControlState& control, Change what);
    // Mirrors everything the user can change (value, marks, items, range, dim, visibility).
    void resyncControl(const ControlState& control);
    void appendText(int control, std::string_view text);
    // Applies the program's edit of a text box (the model's text already holds it).
    void editText(const ControlState& control, int start, int removed, std::string_view inserted);
    void syncMenuEntry(const MenuEntryState& entry);
    void flushText();

    const ControlView* control(int id) const;
    QAction* action(int id) const;
    QMenu* menu(int id) const;

  private:
    void build(const PanelState& panel);
    void buildControl(const ControlState& c);
    void buildMenuBar(const MenuBarState& bar);
    void syncLabel(const ControlState& c, ControlView& v);
    void stackCaptions();
    TextBox* textBox(int id) const;

    ViewHost& host_;
    int panel_;
    int menuBar_ = 0;
    std::unique_ptr<PanelShell> window_; // top-level; handed to the host when discarded
    std::map<int, ControlView> controls_;
    std::map<int, QPointer<QAction>> actions_;
    std::map<int, QPointer<QMenu>> menus_;
};

// "__Apply" -> "&Apply" (and a literal '&' -> "&&"), for Qt's accelerator syntax.
QString accelLabel(std::string_view label);

} // namespace uirt::qt
