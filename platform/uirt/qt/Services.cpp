// Desktop services of the Qt front end: plain-text printing and the help window.
#include "Services.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextOption>
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

HelpWindow::HelpWindow() = default;
HelpWindow::~HelpWindow() = default;

bool HelpWindow::show(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return false;
    if (!browser_) {
        browser_ = std::make_unique<QTextBrowser>();
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
