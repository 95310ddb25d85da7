// Text box widget: a QPlainTextEdit whose appends are coalesced into one insert per event-loop
// turn.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace uirt::qt {

// Many short appends (a dump is thousands of lines) would each relayout and repaint the
// document. append() only queues the text; flush() runs once per event-loop turn (or
// before any other change of the widget) and inserts everything queued in one go.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);

    // Queues text for the end of the document. Cheap: no layout, no paint.
    void append(const QString& text);
    // Inserts the queued text now. Safe to call when nothing is queued.
    void flush();
    // Replaces the whole text (drops what is queued).
    void replaceText(const QString& text);
    // Selects [start, start + length) of the text, clipped to the document.
    void selectRange(int start, int length);
    bool hasPending() const { return !pending_.isEmpty(); }

  signals:
    // The user right-clicked at pos (widget coordinates).
    void rightClicked(QPoint pos);

  protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    QString pending_;
    bool flushQueued_ = false;
};

} // namespace uirt::qt
