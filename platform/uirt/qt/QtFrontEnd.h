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
#include "platform/uirt/qt/DescriptorNotifiers.h"
#include "platform/uirt/qt/Fonts.h"
#include "platform/uirt/qt/PanelView.h"
#include "platform/uirt/qt/Services.h"
#include "platform/uirt/qt/SignalQuit.h"

class QApplication;
class QEventLoop;

namespace uirt::qt {

class QtFrontEnd final : public QObject,
                         public FrontEnd,
                         public ViewHost,
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
    DescriptorWatch* descriptors() override { return &descriptors_; }

    // ---- For the panel views (ViewHost) -------------------------------------------------
    bool isInputSource(int panel, int control) const override {
        return source_ == std::pair{panel, control};
    }
    bool mirroring() const override { return mirroring_; }
    void rightClick(int panel, int control, QPoint pos) override;
    void dispose(std::unique_ptr<QWidget> window) override;

    // ---- Lookups for tests and tools -----------------------------------------------------
    PanelView* view(int panel) const;
    PanelView* viewOfMenuBar(int menuBar) const;
    // Shows every text queued for the text boxes. Runs before popups, printing and clipboard
    // writes, so that the user never acts on a box that lags behind the model.
    void flushAll();

  private:
    void deliverInput(int panel, int control, const std::function<void()>& call,
                      bool mirrorBack) override;
    bool setMirroring(bool on) override { return std::exchange(mirroring_, on); }

    // ---- Services ------------------------------------------------------------------------
    void message(std::string_view title, std::string_view text) override;
    bool confirm(std::string_view title, std::string_view text, bool defaultYes) override;
    int popupMenu(int menuBar, int menu, int panel, int top, int left) override;
    std::string selectFile(const FileRequest& request) override;
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
    // Windows of panels discarded by a callback of one of their widgets: deleted once the
    // widget's signal has returned.
    std::vector<std::unique_ptr<QWidget>> doomed_;
    HelpWindow helpWindow_;
    std::unique_ptr<SignalQuit> signalQuit_;
    DescriptorNotifiers descriptors_;
    QEventLoop* loop_ = nullptr; // the loop run() is in, if any
    std::optional<int> pendingQuit_;
    std::optional<QPoint> clickPos_; // panel-area position of the right click being delivered
    bool mirroring_ = false;
    int inputDepth_ = 0;
    std::pair<int, int> source_{0, 0}; // (panel, control) whose input is being delivered
};

} // namespace uirt::qt
