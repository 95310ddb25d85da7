// Text box widget: a QPlainTextEdit that shows appended text at a bounded rate, keeps the
// model's line cap and reports the user's edits as changes, not as whole texts.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTimer>
#include <cstdint>

namespace uirt::qt {

// A program printing a line every 2 ms would pay an insert, a relayout and a repaint per
// line. append() only queues the text; flush() inserts everything queued in one go, at most
// kFlushIntervalMs after the first queued text, and at once before anything the user or the
// program does with the widget's contents (input, popups, printing, selection, replacing).
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kFlushIntervalMs = 25;

    explicit TextBox(QWidget* parent = nullptr);

    // Queues text for the end of the document. Cheap: no layout, no paint.
    void append(const QString& text);
    // Inserts the queued text now, drops the lines beyond the model's cap and follows the
    // end. Safe to call when nothing is queued.
    void flush();
    // Replaces the whole text (drops what is queued) with the model's text of `revision`.
    void replaceText(const QString& text, std::uint64_t revision);
    // Applies the model's edit of `revision` (byte offsets) after showing what is queued;
    // false, changing nothing, when document positions are not the model's byte offsets.
    bool applyEdit(int start, int removed, const QString& inserted, std::uint64_t revision);
    // Selects [start, start + length) of the text, clipped to the document.
    void selectRange(int start, int length);
    // Drops the oldest lines beyond the model's cap, as the model does (no edit reported).
    void trim();

    bool hasPending() const { return !pending_.isEmpty(); }
    const QString& pending() const { return pending_; }
    // The model's text revision this widget shows (appends aside).
    std::uint64_t shownRevision() const { return shownRevision_; }
    void setShownRevision(std::uint64_t revision) { shownRevision_ = revision; }
    // Whether every character so far is one ASCII byte other than '\r' (which Qt turns into
    // a line break), so that document positions are the model's byte offsets.
    bool positionsAreBytes() const { return plain_; }

  signals:
    // The user right-clicked at pos (widget coordinates).
    void rightClicked(QPoint pos);
    // The user changed the text: [position, position + removed) of the document became
    // `added`. Not emitted for the program's changes (appends, replacing, trimming).
    void edited(int position, int removed, const QString& added);

  protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    void onContentsChange(int position, int removed, int added);

    QString pending_;
    QTimer flushTimer_;
    std::uint64_t shownRevision_ = 0;
    bool plain_ = true;
};

} // namespace uirt::qt
