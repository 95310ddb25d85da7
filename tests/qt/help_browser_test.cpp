// The help window's Back, Forward and Home buttons, and the files it refuses to read.
#include "QtPanelTest.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <tuple>
#include <utility>

// Fails when the help window has no Back, Forward or Home button, they are offered when there is
// nowhere to go or do not go there, or a linked page of many megabytes is read.
TEST_F(QtPanelTest, HelpWindowGoesBackForwardAndHome) {
    QTemporaryDir dir;
    for (const auto& [name, bytes] :
         {std::pair{"index.html", QByteArray("Contents <a href=\"loop.html\">loop</a>")},
          {"loop.html", QByteArray("<html><body>Loop mode</body></html>")},
          {"huge.html", QByteArray(8 << 20, 'x')}}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ASSERT_GT(ShowHelpWindow(dir.filePath(QStringLiteral("index.html")).toUtf8().constData()), 0);
    QTextBrowser* browser = nullptr; // the shown help window
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QTextBrowser*>(w); b && b->isVisible()) browser = b;
    ASSERT_NE(browser, nullptr);
    const QList<QAction*> buttons = browser->findChild<QToolBar*>()->actions();
    ASSERT_GE(buttons.size(), 3);
    QAction *back = buttons[0], *forward = buttons[1], *home = buttons[2];
    EXPECT_EQ(std::tuple(back->text() + forward->text() + home->text(),
                         back->isEnabled() || forward->isEnabled()),
              std::tuple(QStringLiteral("BackForwardHome"), false));

    browser->setSource(QUrl(QStringLiteral("loop.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Loop mode")));
    back->trigger();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Contents")) &&
                forward->isEnabled());
    forward->trigger();
    home->trigger();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Contents")));

    browser->setSource(QUrl(QStringLiteral("huge.html")));
    EXPECT_LT(browser->toPlainText().size(), 1024);
    EXPECT_EQ(ShowHelpWindow(dir.filePath(QStringLiteral("huge.html")).toUtf8().constData()), 0);
}
