// Desktop services of the Qt front end: plain-text printing and the help window.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>

class QTextBrowser;

namespace uirt::qt {

enum class PrintOutcome { Printed, Cancelled, Failed };

// Opens the standard print dialog (which offers a PDF file when the machine has no printer)
// and prints text in a monospaced font: lines of at most lineWidth characters (-1: the page
// width), long lines wrapped or cut. A cancelled dialog prints nothing.
PrintOutcome printPlainText(const QString& text, int lineWidth, bool wrapLines);

// The help window: a QTextBrowser window with Back, Forward and Home, created on first use and
// reused after. It reads only regular files of at most 4 MiB.
class HelpWindow {
  public:
    HelpWindow();
    ~HelpWindow();
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // Shows the HTML file at path. Returns false when the file does not exist, is no regular
    // file or is too large (no window is opened for it).
    bool show(const QString& path);
    // The window, or null before the first successful show().
    QTextBrowser* window() const { return browser_.get(); }

  private:
    std::unique_ptr<QTextBrowser> browser_;
};

} // namespace uirt::qt
