// Text box widget: a QPlainTextEdit that shows appended text at a bounded rate, keeps the
// model's line cap and reports the user's edits as changes, not as whole texts.
#include "TextBox.h"

#include <QContextMenuEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "platform/uirt/model/state.h"

namespace uirt::qt {

namespace {

bool plainText(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar ch) { return ch.unicode() < 0x80 && ch != QLatin1Char('\r'); });
}

// Events after which the user sees, selects or changes the contents: the widget must show
// everything the model holds first.
bool userActs(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushIntervalMs);
    connect(&flushTimer_, &QTimer::timeout, this, &TextBox::flush);
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::onContentsChange);
}

void TextBox::append(const QString& text) {
    if (text.isEmpty()) return;
    pending_ += text;
    plain_ = plain_ && plainText(text);
    // Not restarted by later appends: what is queued shows within the interval.
    if (!flushTimer_.isActive()) flushTimer_.start();
}

void TextBox::flush() {
    flushTimer_.stop();
    if (pending_.isEmpty()) return;
    const QString text = std::exchange(pending_, QString());
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    {
        const QSignalBlocker block(this);
        QTextCursor c(document());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    }
    trim();
    // Follow the output like a log, unless the user scrolled up to read something.
    if (atEnd) bar->setValue(bar->maximum());
}

void TextBox::trim() {
    // A document of n line breaks has n + 1 blocks.
    const int excess = document()->blockCount() - 1 - TextBoxLineCap();
    if (excess <= 0) return;
    const QSignalBlocker block(this);
    QTextCursor c(document());
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
    c.removeSelectedText();
}

void TextBox::replaceText(const QString& text, std::uint64_t revision) {
    flushTimer_.stop();
    pending_.clear();
    plain_ = plainText(text);
    shownRevision_ = revision;
    const QSignalBlocker block(this);
    setPlainText(text);
}

bool TextBox::applyEdit(int start, int removed, const QString& inserted, std::uint64_t revision) {
    flush();
    if (!plain_) return false;
    {
        const QSignalBlocker block(this);
        const int size = document()->characterCount() - 1;
        QTextCursor c(document());
        c.setPosition(std::clamp(start, 0, size));
        c.setPosition(std::clamp(start + removed, 0, size), QTextCursor::KeepAnchor);
        c.insertText(inserted);
    }
    plain_ = plainText(inserted);
    shownRevision_ = revision;
    trim();
    return true;
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

void TextBox::onContentsChange(int position, int removed, int added) {
    if (signalsBlocked()) return; // the program's own change
    // Only the changed part is read. Qt may count the final paragraph mark, which is no text.
    QTextCursor c(document());
    const int end = std::min(position + added, document()->characterCount() - 1);
    c.setPosition(std::min(position, end));
    c.setPosition(end, QTextCursor::KeepAnchor);
    const QString text = c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    emit edited(position, removed, text);
    plain_ = plain_ && plainText(text); // after: the offsets given were still byte offsets
}

bool TextBox::event(QEvent* e) {
    if (userActs(e->type())) flush();
    return QPlainTextEdit::event(e);
}

bool TextBox::viewportEvent(QEvent* e) {
    if (userActs(e->type())) flush();
    return QPlainTextEdit::viewportEvent(e);
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
