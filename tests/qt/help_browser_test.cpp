// The help window's Back, Forward and Home buttons, and the files it refuses to read.
#include "QtPanelTest.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>

namespace {

// The shown help window.
QTextBrowser* HelpBrowser() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QTextBrowser*>(w); b && b->isVisible()) return b;
    return nullptr;
}

QAction* Button(QTextBrowser* browser, const QString& text) {
    for (QAction* a : browser->findChild<QToolBar*>()->actions())
        if (a->text() == text) return a;
    return nullptr;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Fails when the help window has no Back, Forward or Home button, they are offered when there is
// nowhere to go or do not go there, or a linked page of many megabytes is read.
TEST_F(QtPanelTest, HelpWindowGoesBackForwardAndHome) {
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("index.html")),
              "<html><body>Contents <a href=\"loop.html\">loop</a></body></html>");
    WriteFile(dir.filePath(QStringLiteral("loop.html")), "<html><body>Loop mode</body></html>");
    WriteFile(dir.filePath(QStringLiteral("huge.html")), QByteArray(8 << 20, 'x'));
    ASSERT_GT(ShowHelpWindow(dir.filePath(QStringLiteral("index.html")).toUtf8().constData()), 0);
    QTextBrowser* browser = HelpBrowser();
    ASSERT_NE(browser, nullptr);
    QAction* back = Button(browser, QStringLiteral("Back"));
    QAction* forward = Button(browser, QStringLiteral("Forward"));
    QAction* home = Button(browser, QStringLiteral("Home"));
    ASSERT_TRUE(back && forward && home);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    browser->setSource(QUrl(QStringLiteral("loop.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Loop mode")));
    back->trigger();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Contents")));
    EXPECT_TRUE(forward->isEnabled());
    forward->trigger();
    home->trigger();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Contents")));

    browser->setSource(QUrl(QStringLiteral("huge.html")));
    EXPECT_LT(browser->toPlainText().size(), 1024);
    EXPECT_EQ(ShowHelpWindow(dir.filePath(QStringLiteral("huge.html")).toUtf8().constData()), 0);
}

} // namespace
