// Text box widget: a QPlainTextEdit whose appends are coalesced into one insert per event-loop
// turn.
#include "TextBox.h"

#include <QContextMenuEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

namespace uirt::qt {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
}

void TextBox::append(const QString& text) {
    if (text.isEmpty()) return;
    pending_ += text;
    if (flushQueued_) return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, &TextBox::flush, Qt::QueuedConnection);
}

void TextBox::flush() {
    flushQueued_ = false;
    if (pending_.isEmpty()) return;
    const QString text = std::exchange(pending_, QString());
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const QSignalBlocker block(this);
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
    // Follow the output like a log, unless the user scrolled up to read something.
    if (atEnd) bar->setValue(bar->maximum());
}

void TextBox::replaceText(const QString& text) {
    pending_.clear();
    const QSignalBlocker block(this);
    setPlainText(text);
}

void TextBox::selectRange(int start, int length) {
    flush();
    const int size = document()->characterCount() - 1; // without the final paragraph mark
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    const QSignalBlocker block(this);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TextBox::contextMenuEvent(QContextMenuEvent* e) {
    // The program opens its own Edit menu on a right click; Qt's default menu is not shown.
    // Mouse events arrive from the viewport, in its coordinates.
    const QPoint pos =
        e->reason() == QContextMenuEvent::Mouse ? viewport()->mapToParent(e->pos()) : e->pos();
    emit rightClicked(pos);
    e->accept();
}

} // namespace uirt::qt
