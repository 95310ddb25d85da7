// The Qt 6 Widgets front end: windows for the model's panels and the desktop services.
#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/uirt/model/frontend.h"
#include "platform/uirt/qt/PanelView.h"
#include "platform/uirt/qt/Services.h"
#include "platform/uirt/qt/SignalQuit.h"

class QApplication;
class QEventLoop;

namespace uirt::qt {

// Font for a resource font name: "" is the application font, a Courier face the monospaced
// font, anything else that family as a heading (larger, bold).
QFont fontFor(std::string_view name);
// Whether the glyphs a dump uses (digits, hex letters, separators, narrow and wide letters)
// all advance by the same width: measured, because some fonts set the fixed-pitch flag
// wrongly.
bool equalAdvances(const QFont& font);
// DejaVu Sans Mono at the system's fixed-font size; else the first font whose glyphs have
// equal advances among the system's fixed font and fontconfig's "monospace".
QFont monospacedFont();

class QtFrontEnd final : public QObject,
                         public FrontEnd,
                         Popups,
                         Clipboard,
                         Printer,
                         HelpViewer,
                         Pointer,
                         Metrics,
                         EventLoop {
    Q_OBJECT
  public:
    // app: the QApplication this front end created, or null when one already existed.
    explicit QtFrontEnd(std::unique_ptr<QApplication> app);
    ~QtFrontEnd() override;

    // ---- FrontEnd notifications -----------------------------------------------------------
    void panelLoaded(int panel) override;
    void panelDiscarding(int panel) override;
    void panelChanged(int panel) override;
    void controlChanged(int panel, int control, Change what) override;
    void textAppended(int panel, int control, std::string_view text) override;
    void textEdited(int panel, int control, int start, int removed,
                    std::string_view inserted) override;
    void menuChanged(int menuBar, int menuOrItem) override;
    void waitCursorChanged(bool busy) override;

    Popups& popups() override { return *this; }
    Clipboard& clipboard() override { return *this; }
    Printer& printer() override { return *this; }
    HelpViewer& help() override { return *this; }
    Pointer& pointer() override { return *this; }
    Metrics& metrics() override { return *this; }
    EventLoop& eventLoop() override { return *this; }

    // ---- From the widgets: user input ----------------------------------------------------
    // Runs an input call unless the widgets are being mirrored (then the "input" is our own
    // echo). While it runs, the control is the input's source: the model's echo of the text
    // and selection it was given is not mirrored back into it, so the user's cursor stays.
    // Afterwards the control is mirrored back from the model (clamped value, refused input)
    // unless mirrorBack is false.
    template <typename F> void userInput(int panel, int control, F&& call, bool mirrorBack = true) {
        if (mirroring_) return;
        ++inputDepth_;
        const std::pair<int, int> outer = std::exchange(source_, {panel, control});
        call();
        source_ = outer;
        --inputDepth_;
        if (mirrorBack) resync(panel, control);
    }
    bool isInputSource(int panel, int control) const {
        return source_ == std::pair{panel, control};
    }
    bool mirroring() const { return mirroring_; }
    // Right click in a control at pos (panel-area coordinates).
    void rightClick(int panel, int control, QPoint pos);

    // ---- Lookups for tests and tools -----------------------------------------------------
    PanelView* view(int panel) const;
    PanelView* viewOfMenuBar(int menuBar) const;
    // Shows every text queued for the text boxes. Runs before popups, printing and clipboard
    // writes, so that the user never acts on a box that lags behind the model.
    void flushAll();

    // Counts mirroring scopes: while one is open, widget signals are our own echo.
    class MirrorScope {
      public:
        explicit MirrorScope(QtFrontEnd& fe) : fe_(fe), was_(fe.mirroring_) {
            fe.mirroring_ = true;
        }
        ~MirrorScope() { fe_.mirroring_ = was_; }
        MirrorScope(const MirrorScope&) = delete;
        MirrorScope& operator=(const MirrorScope&) = delete;

      private:
        QtFrontEnd& fe_;
        bool was_;
    };

  private:
    // ---- Services ------------------------------------------------------------------------
    void message(std::string_view title, std::string_view text) override;
    bool confirm(std::string_view title, std::string_view text, bool defaultYes) override;
    int popupMenu(int menuBar, int menu, int panel, int top, int left) override;
    bool hasText() override;
    std::string text() override;
    void setText(std::string_view text) override;
    int printText(std::string_view text, const PrintSettings& settings) override;
    int show(std::string_view path) override;
    MouseState mouse(int panel, int control) override;
    int textWidth(std::string_view text, std::string_view font) override;
    int lineHeight(std::string_view font) override;
    int run() override;
    void quit(int code) override;

    void resync(int panel, int control);
    void onFocusChanged(QWidget* now);
    void onSignal();
    QWidget* dialogParent() const;

    std::unique_ptr<QApplication> app_; // declared first: destroyed last
    std::map<int, std::unique_ptr<PanelView>> views_;
    std::vector<QPointer<QWidget>> doomed_; // windows of discarded panels awaiting deletion
    HelpWindow helpWindow_;
    std::unique_ptr<SignalQuit> signalQuit_;
    QEventLoop* loop_ = nullptr; // the loop run() is in, if any
    std::optional<int> pendingQuit_;
    std::optional<QPoint> clickPos_; // panel-area position of the right click being delivered
    bool mirroring_ = false;
    int inputDepth_ = 0;
    std::pair<int, int> source_{0, 0}; // (panel, control) whose input is being delivered

    friend class PanelView;
};

} // namespace uirt::qt
