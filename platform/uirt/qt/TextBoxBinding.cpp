// Binding of the text box (a TextBox): every edit reaches the model as the change, the
// program's appends and edits arrive through the panel view.
#include <cmath>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/Fonts.h"
#include "platform/uirt/qt/TextBox.h"

namespace uirt::qt {

namespace {

// Passes the user's edit of a text box to the model: as the change alone while document
// positions are the model's byte offsets and nothing is queued, else as the whole text (the
// queued appends follow the user's text). The widget then drops lines as the model did.
void userEdit(ViewHost& host, TextBox& box, int panel, int id, int position, int removed,
              const QString& added) {
    if (box.positionsAreBytes() && !box.hasPending()) {
        const QByteArray bytes = added.toLatin1();
        host.userInput(
            panel, id,
            [&] {
                input::editText(panel, id, position, removed,
                                std::string_view(bytes.constData(), bytes.size()));
            },
            false);
    } else {
        const QByteArray text = (box.toPlainText() + box.pending()).toUtf8();
        host.userInput(
            panel, id, [&] { input::enterText(panel, id, text.toStdString()); }, false);
    }
    if (const ControlState* c = FindControl(panel, id)) box.setShownRevision(c->text.revision());
    box.trim();
}

class TextBoxBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Above; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<TextBox>();
        ViewHost& host = site.host;
        const int panel = site.panel, id = site.control.id;
        // The text box has no "entry finished": the model follows every edit (its callback
        // only cares about right clicks). The selection follows through cursorPositionChanged.
        QObject::connect(w, &TextBox::edited, w,
                         [&host, w, panel, id](int position, int removed, const QString& added) {
                             userEdit(host, *w, panel, id, position, removed, added);
                         });
        auto pushSelection = [&host, w, panel, id] {
            if (w->hasPending()) return; // the model is ahead; offsets still agree once flushed
            const QTextCursor cur = w->textCursor();
            const int start = std::min(cur.anchor(), cur.position());
            const int length = std::abs(cur.position() - cur.anchor());
            host.userInput(
                panel, id, [&] { input::selectText(panel, id, start, length); }, false);
        };
        QObject::connect(w, &QPlainTextEdit::selectionChanged, w, pushSelection);
        QObject::connect(w, &QPlainTextEdit::cursorPositionChanged, w, pushSelection);
        QObject::connect(w, &TextBox::rightClicked, w, [&host, w, panel, id](QPoint pos) {
            host.rightClick(panel, id, w->mapToParent(pos)); // the parent is the panel area
        });
        // Columns of a dump stay aligned in a monospaced box; prose wraps at the box's edge.
        if (!equalAdvances(w->font())) {
            w->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        if (v.host->isInputSource(v.panel, c.id)) return; // the box shows what the user typed
        // Appends arrive through appendText; anything else changes the revision.
        auto& box = widgetOf<TextBox>(v);
        if (box.shownRevision() != c.text.revision())
            box.replaceText(qs(c.text), c.text.revision());
    }
    void showSelection(ControlView& v, const ControlState& c) const override {
        auto& box = widgetOf<TextBox>(v);
        box.flush();
        const QTextCursor cur = box.textCursor();
        const int start = std::min(cur.anchor(), cur.position());
        const int length = std::abs(cur.position() - cur.anchor());
        if (start != c.selectionStart || length != c.selectionLength)
            box.selectRange(c.selectionStart, c.selectionLength);
    }
};

} // namespace

const ControlBinding& textBoxBinding = TextBoxBinding();

} // namespace uirt::qt
