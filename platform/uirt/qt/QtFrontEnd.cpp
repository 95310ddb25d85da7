// The Qt 6 Widgets front end: windows for the model's panels and the desktop services.
#include "platform/uirt/qt/QtFrontEnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/uirt/qt/FileDialog.h"
#include "platform/uirt/qt/ProgressDialog.h"
#include "platform/uirt/qt/TickTimer.h"
#include "platform/uirt/qt/uirt_qt.h"

namespace uirt {

namespace {

// A GUI platform needs a display; without one QApplication would abort the process.
bool displayAvailable(const std::vector<char*>& args) {
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    for (const char* arg : args)
        if (arg && std::strcmp(arg, "-platform") == 0) return true;
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

std::unique_ptr<FrontEnd> CreateFrontEnd(char** argv) {
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        // QApplication keeps references to argc and argv for its whole life.
        static char name[] = "kestrel";
        static std::vector<char*> args;
        args.assign(1, name);
        if (argv != nullptr && argv[0] != nullptr)
            for (char** arg = argv + 1; *arg != nullptr; ++arg)
                args.push_back(*arg);
        static int argc;
        argc = static_cast<int>(args.size());
        args.push_back(nullptr);
        if (!displayAvailable(args)) {
            std::fprintf(stderr, "No display: set DISPLAY, or QT_QPA_PLATFORM=offscreen to run "
                                 "without a window.\n");
            return nullptr;
        }
        app = std::make_unique<QApplication>(argc, args.data());
    }
    // Windows must go while Qt still works. A program may return from main with panels
    // still loaded (the about box lives to the end). At exit the main thread's thread-local
    // objects die first, newest first, before any static or atexit handler: a thread-local
    // created now, after Qt's, drops the front end while Qt is still whole.
    struct DropAtExit {
        ~DropAtExit() { ResetModel(); }
    };
    static thread_local DropAtExit dropAtExit;
    (void)dropAtExit;
    return std::make_unique<qt::QtFrontEnd>(std::move(app));
}

} // namespace uirt

namespace uirt::qt {

namespace {

QtFrontEnd* current() {
    return dynamic_cast<QtFrontEnd*>(CurrentFrontEnd());
}

QMessageBox::Icon iconFor(std::string_view title) {
    if (title.find("rror") != std::string_view::npos) return QMessageBox::Critical;
    if (title == "Warning") return QMessageBox::Warning;
    return QMessageBox::Information;
}

} // namespace

QtFrontEnd::QtFrontEnd(std::unique_ptr<QApplication> app) : app_(std::move(app)) {
    // Quitting is the program's decision (its Exit callbacks), not the last window's.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
    signalQuit_ = std::make_unique<SignalQuit>([this](int) { onSignal(); });
    SetProgressBox(&ProgressDialogBox());
}

QtFrontEnd::~QtFrontEnd() {
    SetProgressBox(nullptr);
    signalQuit_.reset();
    views_.clear();
    doomed_.clear();
}

// ---- Notifications -------------------------------------------------------------------------

void QtFrontEnd::panelLoaded(int panel) {
    const PanelState* p = FindPanel(panel);
    if (!p) return;
    views_[panel] = std::make_unique<PanelView>(*this, *p);
}

void QtFrontEnd::panelDiscarding(int panel) {
    views_.erase(panel);
}

void QtFrontEnd::panelChanged(int panel) {
    const PanelState* p = FindPanel(panel);
    if (PanelView* v = view(panel); v && p) v->syncPanel(*p);
}

void QtFrontEnd::controlChanged(int panel, int control, Change what) {
    const ControlState* c = FindControl(panel, control);
    if (PanelView* v = view(panel); v && c) v->syncControl(*c, what);
}

void QtFrontEnd::textAppended(int panel, int control, std::string_view text) {
    if (PanelView* v = view(panel)) v->appendText(control, text);
}

void QtFrontEnd::textEdited(int panel, int control, int start, int removed,
                            std::string_view inserted) {
    const ControlState* c = FindControl(panel, control);
    if (PanelView* v = view(panel); v && c) v->editText(*c, start, removed, inserted);
}

void QtFrontEnd::menuChanged(int menuBar, int menuOrItem) {
    const MenuBarState* bar = FindMenuBar(menuBar);
    PanelView* v = viewOfMenuBar(menuBar);
    if (!bar || !v) return;
    for (const MenuEntryState& e : bar->entries)
        if (e.id == menuOrItem) v->syncMenuEntry(e);
}

void QtFrontEnd::waitCursorChanged(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// ---- Input helpers -------------------------------------------------------------------------

void QtFrontEnd::deliverInput(int panel, int control, const std::function<void()>& call,
                              bool mirrorBack) {
    if (mirroring_) return;
    ++inputDepth_;
    const std::pair<int, int> outer = std::exchange(source_, {panel, control});
    call();
    source_ = outer;
    --inputDepth_;
    if (inputDepth_ == 0 && !doomed_.empty()) {
        // Still inside the widget's signal: the windows go once the event loop has them back.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (inputDepth_ == 0) doomed_.clear();
            },
            Qt::QueuedConnection);
    }
    if (mirrorBack) resync(panel, control);
}

void QtFrontEnd::dispose(std::unique_ptr<QWidget> window) {
    window->hide();
    if (inputDepth_ == 0) return; // deleted now
    // A callback discarded the panel while one of its widgets is emitting a signal.
    window->setEnabled(false);
    doomed_.push_back(std::move(window));
}

void QtFrontEnd::resync(int panel, int control) {
    const ControlState* c = FindControl(panel, control);
    if (PanelView* v = view(panel); v && c) v->resyncControl(*c);
}

void QtFrontEnd::rightClick(int panel, int control, QPoint pos) {
    clickPos_ = pos;
    userInput(panel, control, [&] { input::rightClick(panel, control, pos.y(), pos.x()); });
    clickPos_.reset();
}

void QtFrontEnd::onFocusChanged(QWidget* now) {
    if (mirroring_ || !now) return;
    for (QWidget* w = now; w; w = w->parentWidget()) {
        const QVariant id = w->property("uirtControl");
        auto* window = qobject_cast<PanelShell*>(w->window());
        if (id.isValid() && window) {
            const int panel = window->panel();
            const int control = id.toInt();
            userInput(panel, 0, [&] { input::focus(panel, control); });
            return;
        }
    }
}

void QtFrontEnd::onSignal() {
    // Close any modal box first so that the event loop can return.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal) break;
    }
    quit(0);
}

// ---- Lookups -------------------------------------------------------------------------------

PanelView* QtFrontEnd::view(int panel) const {
    auto it = views_.find(panel);
    return it == views_.end() ? nullptr : it->second.get();
}

PanelView* QtFrontEnd::viewOfMenuBar(int menuBar) const {
    for (const auto& [panel, v] : views_)
        if (menuBar != 0 && v->menuBar() == menuBar) return v.get();
    return nullptr;
}

void QtFrontEnd::flushAll() {
    for (const auto& [panel, v] : views_)
        v->flushText();
}

QWidget* QtFrontEnd::dialogParent() const {
    if (PanelView* v = view(GetActivePanel()); v && v->window()->isVisible()) return v->window();
    return nullptr;
}

// ---- Popups --------------------------------------------------------------------------------

void QtFrontEnd::message(std::string_view title, std::string_view text) {
    flushAll();
    QMessageBox box(iconFor(title), qs(title), qs(text), QMessageBox::Ok, dialogParent());
    box.exec();
}

bool QtFrontEnd::confirm(std::string_view title, std::string_view text, bool defaultYes) {
    flushAll();
    QMessageBox box(QMessageBox::Question, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtFrontEnd::popupMenu(int menuBar, int menu, int panel, int top, int left) {
    const MenuBarState* bar = FindMenuBar(menuBar);
    PanelView* v = view(panel);
    if (!bar || !v) return 0;
    flushAll();
    // A fresh menu built from the model: the dimmer has already run for it.
    QMenu popup(v->window());
    for (const MenuEntryState& e : bar->entries) {
        if (e.menu != menu) continue;
        if (e.separator) {
            popup.addSeparator();
            continue;
        }
        QAction* a = popup.addAction(accelLabel(e.label));
        a->setEnabled(!e.dimmed);
        a->setData(e.id);
        a->setObjectName(qs(e.res->constName));
    }
    const QAction* chosen = popup.exec(v->window()->body()->mapToGlobal(QPoint(left, top)));
    return chosen ? chosen->data().toInt() : 0;
}

std::string QtFrontEnd::selectFile(const FileRequest& request) {
    flushAll();
    return chooseFile(dialogParent(), request).toUtf8().toStdString();
}

// ---- Clipboard -----------------------------------------------------------------------------

bool QtFrontEnd::hasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

std::string QtFrontEnd::text() {
    return QApplication::clipboard()->text().toStdString();
}

void QtFrontEnd::setText(std::string_view text) {
    flushAll();
    QApplication::clipboard()->setText(qs(text));
}

// ---- Printing and help ---------------------------------------------------------------------

int QtFrontEnd::printText(std::string_view text, const PrintSettings& settings) {
    flushAll();
    switch (printPlainText(qs(text), settings.lineWidth, settings.wrapLines)) {
    case PrintOutcome::Printed:
        return 0;
    case PrintOutcome::Cancelled:
        return UIE_PRINT_CANCELLED;
    case PrintOutcome::Failed:
        break;
    }
    return UIE_PRINT_FAILED;
}

int QtFrontEnd::show(std::string_view path) {
    // "file::/topic": the topic names a page inside a compiled help file; our pages are
    // plain HTML files, so the file part is what is shown (Windows separators accepted).
    const std::string_view file = path.substr(0, path.find("::"));
    return helpWindow_.show(qs(file).replace(QLatin1Char('\\'), QLatin1Char('/'))) ? 1 : 0;
}

// ---- Mouse and metrics ---------------------------------------------------------------------

MouseState QtFrontEnd::mouse(int panel, int) {
    MouseState m;
    QPoint pos;
    if (clickPos_) {
        pos = *clickPos_;
    } else if (PanelView* v = view(panel)) {
        pos = v->window()->body()->mapFromGlobal(QCursor::pos());
    }
    m.x = pos.x();
    m.y = pos.y();
    const Qt::MouseButtons buttons = QApplication::mouseButtons();
    m.left = buttons.testFlag(Qt::LeftButton);
    m.right = buttons.testFlag(Qt::RightButton);
    m.modifiers = static_cast<int>(QApplication::keyboardModifiers().toInt());
    return m;
}

int QtFrontEnd::textWidth(std::string_view text, std::string_view font) {
    return QFontMetrics(fontFor(font)).horizontalAdvance(qs(text)) + 4;
}

int QtFrontEnd::lineHeight(std::string_view font) {
    // One option line of a radio group: the taller of the text and the radio indicator.
    const int indicator = QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight);
    return std::max(QFontMetrics(fontFor(font)).height(), indicator) + 4;
}

// ---- Event loop ----------------------------------------------------------------------------

int QtFrontEnd::run() {
    if (pendingQuit_) return *std::exchange(pendingQuit_, std::nullopt);
    QEventLoop loop;
    QEventLoop* outer = std::exchange(loop_, &loop);
    const int code = loop.exec();
    loop_ = outer;
    flushAll();
    return code;
}

void QtFrontEnd::quit(int code) {
    if (loop_)
        loop_->exit(code);
    else
        pendingQuit_ = code;
}

// ---- Test and tool seams (uirt_qt.h) -------------------------------------------------------

QWidget* PanelWindow(int panel) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->view(panel) : nullptr;
    return v ? v->window() : nullptr;
}

QWidget* ControlWidget(int panel, int control) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->view(panel) : nullptr;
    const ControlView* c = v ? v->control(control) : nullptr;
    return c ? c->widget.data() : nullptr;
}

QWidget* ControlLabel(int panel, int control) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->view(panel) : nullptr;
    const ControlView* c = v ? v->control(control) : nullptr;
    return c ? c->label.data() : nullptr;
}

QAction* MenuAction(int menuBar, int menuOrItem) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->viewOfMenuBar(menuBar) : nullptr;
    return v ? v->action(menuOrItem) : nullptr;
}

QMenu* MenuOf(int menuBar, int menu) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->viewOfMenuBar(menuBar) : nullptr;
    return v ? v->menu(menu) : nullptr;
}

TickTimer* TimerOf(int panel, int control) {
    QtFrontEnd* fe = current();
    PanelView* v = fe ? fe->view(panel) : nullptr;
    const ControlView* c = v ? v->control(control) : nullptr;
    return c ? c->timer.data() : nullptr;
}

void FlushTextBoxes() {
    if (QtFrontEnd* fe = current()) fe->flushAll();
}

bool SavePanelImage(int panel, const QString& fileName) {
    QWidget* window = PanelWindow(panel);
    if (!window) return false;
    FlushTextBoxes();
    window->ensurePolished();
    window->adjustSize();
    return window->grab().save(fileName, "PNG");
}

} // namespace uirt::qt
