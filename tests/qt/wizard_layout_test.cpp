// The wizard pages' layout in the Qt window: whole lines, whole prompts, a margin at the edge.
#include "QtPanelTest.h"

#include "ui/ProgWizUIR.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextLayout>

// Fails when a line of the welcome or completion text wraps or needs scrolling, a text field's
// prompt is clipped, or a control other than the splitter lines reaches closer than 12 pixels
// to the page's right edge.
TEST_F(QtPanelTest, WizardPagesShowTheirTextsWholeWithinTheirMargins) {
    for (int resource = PANEL; resource <= PANEL_6; ++resource) {
        SCOPED_TRACE("page " + std::to_string(resource));
        const int page = LoadPanel(0, "ProgWizUIR.uir", resource);
        ASSERT_GT(page, 0);
        DisplayPanel(page);
        QApplication::processEvents();
        QWidget* window = uirt::qt::PanelWindow(page);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            // The splitter lines run from edge to edge, a little short of both.
            if (!w->property("uirtControl").isValid() || w->objectName().contains("SPLITTER"))
                continue;
            EXPECT_LE(w->mapTo(window, QPoint(w->width(), 0)).x(), window->width() - 12)
                << w->objectName().toStdString();
        }
        for (auto* box : window->findChildren<QPlainTextEdit*>()) {
            EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
            for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
                EXPECT_LE(b.layout()->lineCount(), 1) << b.text().toStdString();
        }
        for (auto* field : window->findChildren<QLineEdit*>()) {
            QStyleOptionFrame option;
            option.initFrom(field);
            const QRect room =
                field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
            EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), room.width() - 4)
                << field->text().toStdString();
        }
        DiscardPanel(page);
    }
}
