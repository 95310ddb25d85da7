// What panel views and control bindings may ask of the Qt front end: pass the user's input to
// the model, tell their own echo from input, and hand over the windows of discarded panels.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>

class QWidget;

namespace uirt::qt {

class ViewHost {
  public:
    // Runs an input call unless the widgets are being mirrored (then the "input" is our own
    // echo). While it runs, the control is the input's source: the model's echo of the text
    // and selection it was given is not mirrored back into it, so the user's cursor stays.
    // Afterwards the control is mirrored back from the model (clamped value, refused input)
    // unless mirrorBack is false.
    void userInput(int panel, int control, const std::function<void()>& call,
                   bool mirrorBack = true) {
        deliverInput(panel, control, call, mirrorBack);
    }
    virtual bool isInputSource(int panel, int control) const = 0;
    virtual bool mirroring() const = 0;
    // Right click in a control at pos (panel-area coordinates).
    virtual void rightClick(int panel, int control, QPoint pos) = 0;
    // Takes the window of a discarded panel: it goes at once, or once the widget signal being
    // delivered has returned when a callback of one of its widgets discarded the panel.
    virtual void dispose(std::unique_ptr<QWidget> window) = 0;

    // Marks mirroring: while one is open, widget signals are our own echo.
    class MirrorScope {
      public:
        explicit MirrorScope(ViewHost& host) : host_(host), was_(host.setMirroring(true)) {}
        ~MirrorScope() { host_.setMirroring(was_); }
        MirrorScope(const MirrorScope&) = delete;
        MirrorScope& operator=(const MirrorScope&) = delete;

      private:
        ViewHost& host_;
        bool was_;
    };

  protected:
    ~ViewHost() = default;
    virtual void deliverInput(int panel, int control, const std::function<void()>& call,
                              bool mirrorBack) = 0;
    // Sets the mirroring flag; returns its previous value.
    virtual bool setMirroring(bool on) = 0;
};

} // namespace uirt::qt
