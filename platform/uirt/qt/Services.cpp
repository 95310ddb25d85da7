// Desktop services of the Qt front end: plain-text printing and the help window.
#include "Services.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextOption>
#include <QToolBar>
#include <QUrl>

namespace uirt::qt {

PrintOutcome printPlainText(const QString& text, int lineWidth, bool wrapLines) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kestrel"));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    QTextDocument doc;
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    doc.setDefaultFont(font);
    QTextOption option;
    option.setWrapMode(wrapLines ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    doc.setDefaultTextOption(option);
    if (lineWidth > 0) {
        // Cut the text to lineWidth characters a line; wrapped lines keep their rest.
        QStringList lines = text.split(QLatin1Char('\n'));
        QStringList out;
        for (const QString& line : lines) {
            for (qsizetype i = 0; i < line.size() || i == 0; i += lineWidth) {
                out << line.mid(i, lineWidth);
                if (!wrapLines) break;
            }
        }
        doc.setPlainText(out.join(QLatin1Char('\n')));
    } else {
        doc.setPlainText(text);
    }
    doc.print(&printer);
    return printer.printerState() == QPrinter::Error ? PrintOutcome::Failed : PrintOutcome::Printed;
}

namespace {

// The pages are a few kilobytes; a huge or endless file would fill the memory.
constexpr qint64 kHelpFileMaxBytes = qint64{4} << 20;

bool ReadableHelpFile(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && file.size() <= kHelpFileMaxBytes;
}

// A text browser with Back, Forward and Home in a tool bar above its pages (kept in the
// viewport's top margin, so the browser stays the window), reading only sensible help files.
class HelpBrowser : public QTextBrowser {
  public:
    HelpBrowser() : bar_(new QToolBar(this)) {
        bar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        QAction* back = bar_->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                        QStringLiteral("Back"), this, &QTextBrowser::backward);
        QAction* forward = bar_->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                           QStringLiteral("Forward"), this, &QTextBrowser::forward);
        bar_->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"), this,
                        &QTextBrowser::home);
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(this, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
        connect(this, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
        setViewportMargins(0, bar_->sizeHint().height(), 0, 0);
    }

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = source().resolved(name);
        if (url.isLocalFile() && !ReadableHelpFile(url.toLocalFile())) return {};
        return QTextBrowser::loadResource(type, name);
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QTextBrowser::resizeEvent(event);
        const int frame = frameWidth();
        bar_->setGeometry(frame, frame, width() - 2 * frame, bar_->sizeHint().height());
    }

  private:
    QToolBar* bar_;
};

} // namespace

HelpWindow::HelpWindow() = default;
HelpWindow::~HelpWindow() = default;

bool HelpWindow::show(const QString& path) {
    if (!ReadableHelpFile(path)) return false;
    const QFileInfo file(path);
    if (!browser_) {
        browser_ = std::make_unique<HelpBrowser>();
        browser_->setOpenExternalLinks(true);
        browser_->resize(720, 560);
    }
    browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    browser_->setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("Kestrel help")
                                                                 : browser_->documentTitle());
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return true;
}

} // namespace uirt::qt
