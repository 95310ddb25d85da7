// One panel's window in the Qt front end: its widgets, menu bar and timers, mirrored from the
// model.
#include "platform/uirt/qt/PanelView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "platform/uirt/qt/Indicators.h"
#include "platform/uirt/qt/NumericField.h"
#include "platform/uirt/qt/QtFrontEnd.h"
#include "platform/uirt/qt/RadioGroup.h"
#include "platform/uirt/qt/TextBox.h"
#include "platform/uirt/qt/TickTimer.h"

namespace uirt::qt {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Kinds whose label is a separate line above the control.
bool labelAbove(CtrlKind k) {
    return k == CtrlKind::Numeric || k == CtrlKind::String || k == CtrlKind::Ring ||
           k == CtrlKind::TextBox || k == CtrlKind::Tree;
}

// Qt widgets are owned by their parent widget; this is the one place that creates them.
template <typename W, typename... Args> W* child(QWidget* parent, Args&&... args) {
    return new W(std::forward<Args>(args)..., parent);
}

// Passes the user's edit of a text box to the model: as the change alone while document
// positions are the model's byte offsets and nothing is queued, else as the whole text (the
// queued appends follow the user's text). The widget then drops lines as the model did.
void userEdit(QtFrontEnd& fe, TextBox& box, int panel, int id, int position, int removed,
              const QString& added) {
    if (box.positionsAreBytes() && !box.hasPending()) {
        const QByteArray bytes = added.toLatin1();
        fe.userInput(
            panel, id,
            [&] {
                input::editText(panel, id, position, removed,
                                std::string_view(bytes.constData(), bytes.size()));
            },
            false);
    } else {
        const QByteArray text = (box.toPlainText() + box.pending()).toUtf8();
        fe.userInput(
            panel, id, [&] { input::enterText(panel, id, text.toStdString()); }, false);
    }
    if (const ControlState* c = FindControl(panel, id)) box.setShownRevision(c->text.revision());
    box.trim();
}

// A text message never clips: a text wider than its control gets a smaller font. Captions
// (made bold by stackCaptions) keep their weight.
void fitText(QLabel* label, const ControlState& c) {
    QFont f = fontFor(c.res->font);
    f.setBold(label->font().bold());
    const QString text = label->text();
    const int room = c.width - label->contentsMargins().left() - label->contentsMargins().right();
    while (f.pointSizeF() > 7.0 && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    if (f != label->font()) label->setFont(f);
}

} // namespace

QString accelLabel(std::string_view label) {
    QString out;
    const QString in = qs(label);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == QLatin1Char('&')) {
            out += QLatin1String("&&");
        } else if (in[i] == QLatin1Char('_') && i + 1 < in.size() &&
                   in[i + 1] == QLatin1Char('_')) {
            out += QLatin1Char('&');
            ++i;
        } else {
            out += in[i];
        }
    }
    return out;
}

// ---- PanelShell ---------------------------------------------------------------------------

PanelShell::PanelShell(QtFrontEnd& frontEnd, int panel)
    : QWidget(nullptr), frontEnd_(frontEnd), panel_(panel), body_(child<QWidget>(this)) {
    auto* layout = child<QVBoxLayout>(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    body_->setObjectName(QStringLiteral("panelArea"));
}

QMenuBar* PanelShell::addMenuBar() {
    if (!menuBar_) {
        menuBar_ = child<QMenuBar>(this);
        menuBar_->setNativeMenuBar(false);
        layout()->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void PanelShell::closeEvent(QCloseEvent* e) {
    // The model decides: the close control's callback quits, hides or does nothing.
    e->ignore();
    const int panel = panel_;
    frontEnd_.userInput(panel, 0, [panel] { input::closePanel(panel); });
}

bool PanelShell::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !frontEnd_.mirroring()) {
        const int panel = panel_;
        frontEnd_.userInput(panel, 0, [panel] { input::activatePanel(panel); });
    }
    return QWidget::event(e);
}

// ---- PanelView -----------------------------------------------------------------------------

PanelView::PanelView(QtFrontEnd& frontEnd, const PanelState& panel)
    : frontEnd_(frontEnd), panel_(panel.handle), menuBar_(panel.menuBar),
      window_(new PanelShell(frontEnd, panel.handle)) { // top-level: deleted in ~PanelView
    window_->setObjectName(qs(panel.res->constName));
    QtFrontEnd::MirrorScope mirror(frontEnd_);
    build(panel);
}

PanelView::~PanelView() {
    window_->hide();
    if (frontEnd_.inputDepth_ > 0) {
        // A callback discarded the panel while one of its widgets is emitting a signal:
        // delete the window once that signal has returned.
        window_->setEnabled(false);
        std::erase_if(frontEnd_.doomed_, [](const QPointer<QWidget>& w) { return w.isNull(); });
        frontEnd_.doomed_.emplace_back(window_);
        window_->deleteLater();
    } else {
        delete window_;
    }
}

void PanelView::build(const PanelState& p) {
    window_->body()->setFixedSize(p.width, p.height);
    window_->setWindowTitle(qs(p.title));
    if (const MenuBarState* bar = FindMenuBar(p.menuBar)) buildMenuBar(*bar);
    // Frames first so that everything else is drawn over them.
    for (const ControlState& c : p.controls)
        if (c.kind == CtrlKind::Decoration) buildControl(c);
    for (const ControlState& c : p.controls)
        if (c.kind != CtrlKind::Decoration) buildControl(c);
    stackCaptions();
    syncPanel(p);
}

void PanelView::buildControl(const ControlState& c) {
    QtFrontEnd& fe = frontEnd_;
    const int panel = panel_;
    const int id = c.id;
    QWidget* body = window_->body();
    ControlView& v = controls_[id];
    v.kind = c.kind;

    switch (c.kind) {
    case CtrlKind::Numeric: {
        auto* w = child<NumericField>(body);
        QObject::connect(w, &NumericField::entered, w, [&fe, panel, id](std::int64_t value) {
            fe.userInput(panel, id,
                         [&] { input::enterNumber(panel, id, static_cast<double>(value)); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::String: {
        auto* w = child<QLineEdit>(body);
        // One entry per finished edit (Enter or focus leaving), not per keystroke.
        QObject::connect(w, &QLineEdit::editingFinished, w, [&fe, w, panel, id] {
            if (!w->isModified()) return;
            w->setModified(false);
            const QByteArray text = w->text().toUtf8();
            fe.userInput(panel, id, [&] { input::enterText(panel, id, text.toStdString()); });
        });
        // The selection is the user's at once (the Edit menu's copy and cut act on it).
        auto pushSelection = [&fe, w, panel, id] {
            const int start = w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
            const int length = static_cast<int>(w->selectedText().size());
            fe.userInput(
                panel, id, [&] { input::selectText(panel, id, start, length); }, false);
        };
        QObject::connect(w, &QLineEdit::selectionChanged, w, pushSelection);
        QObject::connect(w, &QLineEdit::cursorPositionChanged, w, pushSelection);
        v.widget = w;
        break;
    }
    case CtrlKind::TextBox: {
        auto* w = child<TextBox>(body);
        // The text box has no "entry finished": the model follows every edit (its callback
        // only cares about right clicks). The selection follows through cursorPositionChanged.
        QObject::connect(w, &TextBox::edited, w,
                         [&fe, w, panel, id](int position, int removed, const QString& added) {
                             userEdit(fe, *w, panel, id, position, removed, added);
                         });
        auto pushSelection = [&fe, w, panel, id] {
            if (w->hasPending()) return; // the model is ahead; offsets still agree once flushed
            const QTextCursor cur = w->textCursor();
            const int start = std::min(cur.anchor(), cur.position());
            const int length = std::abs(cur.position() - cur.anchor());
            fe.userInput(
                panel, id, [&] { input::selectText(panel, id, start, length); }, false);
        };
        QObject::connect(w, &QPlainTextEdit::selectionChanged, w, pushSelection);
        QObject::connect(w, &QPlainTextEdit::cursorPositionChanged, w, pushSelection);
        QObject::connect(w, &TextBox::rightClicked, w, [&fe, w, panel, id](QPoint pos) {
            fe.rightClick(panel, id, w->mapToParent(pos)); // the parent is the panel area
        });
        v.widget = w;
        break;
    }
    case CtrlKind::TextMessage: {
        auto* w = child<QLabel>(body);
        w->setTextFormat(Qt::PlainText);
        w->setWordWrap(false);
        v.widget = w;
        break;
    }
    case CtrlKind::CommandButton: {
        auto* w = child<QPushButton>(body);
        w->setAutoDefault(false);
        QObject::connect(w, &QPushButton::clicked, w, [&fe, panel, id] {
            fe.userInput(panel, id, [&] { input::press(panel, id); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::CheckBox: {
        auto* w = child<QCheckBox>(body);
        QObject::connect(w, &QCheckBox::clicked, w, [&fe, panel, id](bool on) {
            fe.userInput(panel, id, [&] { input::toggle(panel, id, on ? 1 : 0); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::BinarySwitch: {
        auto* w = child<ToggleSwitch>(body);
        QObject::connect(w, &ToggleSwitch::toggleRequested, w, [&fe, panel, id](bool on) {
            fe.userInput(panel, id, [&] { input::toggle(panel, id, on ? 1 : 0); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::Led:
        v.widget = child<Led>(body);
        break;
    case CtrlKind::Ring: {
        auto* w = child<QComboBox>(body);
        w->setMaxVisibleItems(16);
        QObject::connect(w, &QComboBox::activated, w, [&fe, panel, id](int index) {
            fe.userInput(panel, id, [&] { input::chooseRingItem(panel, id, index); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::Tree: {
        auto* w = child<RadioGroup>(body);
        QObject::connect(w, &RadioGroup::optionClicked, w, [&fe, panel, id](int index) {
            fe.userInput(panel, id, [&] { input::markOption(panel, id, index); });
        });
        v.widget = w;
        break;
    }
    case CtrlKind::Timer: {
        auto* t = child<TickTimer>(window_);
        t->setObjectName(qs(c.res->constName));
        QObject::connect(t, &TickTimer::tick, t, [&fe, panel, id] {
            fe.userInput(panel, id, [&] { input::timerTick(panel, id); });
        });
        v.timer = t;
        break;
    }
    case CtrlKind::Picture:
        v.widget = child<Picture>(body);
        break;
    case CtrlKind::Decoration: {
        auto* w = child<QFrame>(body);
        w->setFrameStyle(QFrame::Box | QFrame::Sunken);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        v.widget = w;
        break;
    }
    case CtrlKind::Splitter: {
        auto* w = child<QFrame>(body);
        w->setFrameShadow(QFrame::Sunken);
        v.widget = w;
        break;
    }
    }

    if (v.widget) {
        v.widget->setObjectName(qs(c.res->constName));
        v.widget->setProperty("uirtControl", id);
        v.widget->setFont(fontFor(c.res->font));
    }
    if (c.kind == CtrlKind::TextBox) {
        // Columns of a dump stay aligned in a monospaced box; prose wraps at the box's edge.
        auto* box = static_cast<TextBox*>(v.widget.data());
        if (!equalAdvances(box->font())) {
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
    }
    if (labelAbove(c.kind) || c.kind == CtrlKind::Led) {
        v.label = child<QLabel>(body);
        v.label->setTextFormat(Qt::PlainText);
        v.label->setObjectName(qs(c.res->constName) + QStringLiteral("_label"));
        if (v.widget) v.label->setBuddy(v.widget);
    }
    for (Change what :
         {Change::Range, Change::Items, Change::Label, Change::Geometry, Change::Value,
          Change::Marks, Change::Look, Change::Dimmed, Change::Visible, Change::Timer})
        syncControl(c, what);
}

void PanelView::buildMenuBar(const MenuBarState& bar) {
    QMenuBar* mb = window_->addMenuBar();
    QtFrontEnd& fe = frontEnd_;
    const int handle = bar.handle;
    QMenu* current = nullptr;
    for (const MenuEntryState& e : bar.entries) {
        if (e.menu == 0) {
            current = mb->addMenu(accelLabel(e.label));
            current->setObjectName(qs(e.res->constName));
            const int menuId = e.id;
            // The dimmer runs each time the menu opens, before it is drawn.
            QObject::connect(current, &QMenu::aboutToShow, current, [&fe, handle, menuId] {
                fe.userInput(0, 0, [&] { input::openMenu(handle, menuId); });
            });
            menus_[e.id] = current;
            actions_[e.id] = current->menuAction();
        } else if (current) {
            QAction* a = e.separator ? current->addSeparator() : current->addAction(QString());
            a->setObjectName(qs(e.res->constName));
            if (!e.separator) {
                const int item = e.id;
                QObject::connect(a, &QAction::triggered, a, [&fe, handle, item] {
                    fe.userInput(0, 0, [&] { input::chooseMenuItem(handle, item); });
                });
                if (e.res->shortcut && *e.res->shortcut) {
                    a->setShortcut(QKeySequence(QString::fromUtf8(e.res->shortcut)));
                    a->setShortcutContext(Qt::ApplicationShortcut);
                    window_->addAction(a); // shortcuts work with the menu closed
                }
            }
            actions_[e.id] = a;
        }
        syncMenuEntry(e);
    }
}

// Captions drawn over a frame's top edge hide the line behind their text, like a group box.
void PanelView::stackCaptions() {
    std::vector<QRect> frames;
    for (const auto& [id, v] : controls_)
        if (v.kind == CtrlKind::Decoration && v.widget) frames.push_back(v.widget->geometry());
    for (auto& [id, v] : controls_) {
        if (v.kind != CtrlKind::TextMessage || !v.widget) continue;
        const QRect r = v.widget->geometry();
        for (const QRect& f : frames) {
            if (r.top() <= f.top() && r.bottom() >= f.top() && r.left() > f.left() &&
                r.left() < f.right()) {
                auto* label = static_cast<QLabel*>(v.widget.data());
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
                label->setAutoFillBackground(true);
                label->setContentsMargins(3, 0, 3, 0);
                label->adjustSize();
                label->setFixedHeight(r.height());
                break;
            }
        }
    }
}

void PanelView::syncPanel(const PanelState& p) {
    QtFrontEnd::MirrorScope mirror(frontEnd_);
    window_->setWindowTitle(qs(p.title));
    window_->body()->setFixedSize(p.width, p.height);
    if (p.top > 0 || p.left > 0) window_->move(p.left, p.top);
    if (p.visible != window_->isVisible()) window_->setVisible(p.visible);
    if (p.visible && GetActivePanel() == p.handle) {
        window_->raise();
        window_->activateWindow();
    }
}

void PanelView::resyncControl(const ControlState& c) {
    for (Change what : {Change::Range, Change::Items, Change::Value, Change::Marks, Change::Dimmed,
                        Change::Visible})
        syncControl(c, what);
}

void PanelView::syncControl(const ControlState& c, Change what) {
    auto it = controls_.find(c.id);
    if (it == controls_.end()) return;
    ControlView& v = it->second;
    QtFrontEnd::MirrorScope mirror(frontEnd_);
    const QSignalBlocker block(v.widget.data());
    switch (what) {
    case Change::Value:
        syncValue(c, v);
        break;
    case Change::Label:
        syncLabel(c, v);
        break;
    case Change::Dimmed:
        if (v.widget) v.widget->setEnabled(!c.dimmed);
        if (v.label) v.label->setEnabled(!c.dimmed);
        break;
    case Change::Visible:
        if (v.widget) v.widget->setVisible(c.visible);
        if (v.label) v.label->setVisible(c.visible && !v.label->text().isEmpty());
        break;
    case Change::Geometry:
        placeControl(c, v);
        break;
    case Change::Range:
        syncRange(c, v);
        break;
    case Change::Items:
        syncItems(c, v);
        syncValue(c, v);
        break;
    case Change::Marks:
        syncValue(c, v);
        break;
    case Change::Look:
        syncLook(c, v);
        break;
    case Change::Selection:
        syncSelection(c, v);
        break;
    case Change::Focus:
        if (v.widget && window_->isVisible()) v.widget->setFocus(Qt::OtherFocusReason);
        break;
    case Change::Timer:
        syncTimer(c, v);
        break;
    case Change::Callback:
        break;
    }
}

void PanelView::placeControl(const ControlState& c, ControlView& v) {
    if (!v.widget) return;
    if (c.kind == CtrlKind::Led) {
        // The lamp is a square at the left; its label follows on the right.
        const int side = std::min(c.height, c.width);
        v.widget->setGeometry(c.left, c.top, side, side);
        if (v.label) {
            v.label->adjustSize();
            v.label->move(c.left + side + 6, c.top + (side - v.label->height()) / 2);
        }
        return;
    }
    v.widget->setGeometry(c.left, c.top, c.width, c.height);
    if (c.kind == CtrlKind::TextMessage) fitText(static_cast<QLabel*>(v.widget.data()), c);
    if (v.label) {
        v.label->adjustSize();
        v.label->move(c.left, c.top - v.label->height() - 2);
    }
}

void PanelView::syncLabel(const ControlState& c, ControlView& v) {
    const QString label = accelLabel(c.label);
    switch (c.kind) {
    case CtrlKind::CommandButton:
        static_cast<QPushButton*>(v.widget.data())->setText(label);
        break;
    case CtrlKind::CheckBox:
        static_cast<QCheckBox*>(v.widget.data())->setText(label);
        break;
    case CtrlKind::TextMessage:
        syncValue(c, v);
        break;
    case CtrlKind::Picture:
    case CtrlKind::Decoration:
    case CtrlKind::Splitter:
    case CtrlKind::Timer:
        if (v.widget) v.widget->setToolTip(qs(c.label));
        break;
    default:
        break;
    }
    if (v.label) {
        v.label->setText(label);
        v.label->setVisible(c.visible && !label.isEmpty());
        placeControl(c, v);
    }
}

void PanelView::syncValue(const ControlState& c, ControlView& v) {
    QWidget* w = v.widget;
    switch (c.kind) {
    case CtrlKind::Numeric:
        static_cast<NumericField*>(w)->setValue(static_cast<std::int64_t>(std::llround(c.value)));
        break;
    case CtrlKind::String: {
        auto* e = static_cast<QLineEdit*>(w);
        const QString text = qs(c.text);
        if (e->text() != text) {
            e->setText(text);
            // Show the start of a long text, as a field does before the user enters it.
            if (!e->hasFocus()) e->setCursorPosition(0);
        }
        e->setModified(false);
        break;
    }
    case CtrlKind::TextBox: {
        if (frontEnd_.isInputSource(panel_, c.id)) break; // the box shows what the user typed
        // Appends arrive through appendText; anything else changes the revision.
        auto* box = static_cast<TextBox*>(w);
        if (box->shownRevision() != c.text.revision())
            box->replaceText(qs(c.text), c.text.revision());
        break;
    }
    case CtrlKind::TextMessage: {
        auto* label = static_cast<QLabel*>(w);
        const QString text = qs(c.text.empty() ? std::string_view(c.label) : c.text.view());
        if (label->text() != text) {
            label->setText(text);
            fitText(label, c);
        }
        break;
    }
    case CtrlKind::CheckBox:
        static_cast<QCheckBox*>(w)->setChecked(c.value != 0);
        break;
    case CtrlKind::BinarySwitch:
        static_cast<ToggleSwitch*>(w)->setOn(c.value == c.onValue);
        break;
    case CtrlKind::Led:
        static_cast<Led*>(w)->setOn(c.value != 0);
        break;
    case CtrlKind::Ring: {
        auto* box = static_cast<QComboBox*>(w);
        if (box->currentIndex() != c.selectedIndex) box->setCurrentIndex(c.selectedIndex);
        break;
    }
    case CtrlKind::Tree: {
        auto* group = static_cast<RadioGroup*>(w);
        int marked = -1;
        for (std::size_t i = 0; i < c.items.size(); ++i)
            if (c.items[i].marked) marked = static_cast<int>(i);
        if (group->marked() != marked) group->setMarked(marked);
        break;
    }
    default:
        break;
    }
}

void PanelView::syncRange(const ControlState& c, ControlView& v) {
    if (c.kind == CtrlKind::Numeric) {
        auto* f = static_cast<NumericField*>(v.widget.data());
        f->setRange(static_cast<std::int64_t>(std::llround(c.minValue)),
                    static_cast<std::int64_t>(std::llround(c.maxValue)));
        f->setStep(std::max<std::int64_t>(1, std::llround(c.increment)));
        f->setHex(c.format == VAL_HEX_FORMAT);
        f->setMinDigits(c.minDigits);
        f->setValue(static_cast<std::int64_t>(std::llround(c.value)));
    } else if (c.kind == CtrlKind::String) {
        static_cast<QLineEdit*>(v.widget.data())
            ->setMaxLength(c.maxLength > 0 ? c.maxLength : 32767);
    } else if (c.kind == CtrlKind::BinarySwitch) {
        static_cast<ToggleSwitch*>(v.widget.data())->setTexts(qs(c.offText), qs(c.onText));
    }
}

void PanelView::syncItems(const ControlState& c, ControlView& v) {
    QStringList labels;
    for (const ItemState& item : c.items)
        labels << qs(item.label);
    if (c.kind == CtrlKind::Ring) {
        auto* box = static_cast<QComboBox*>(v.widget.data());
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        if (shown != labels) {
            box->clear();
            box->addItems(labels);
        }
    } else if (c.kind == CtrlKind::Tree) {
        static_cast<RadioGroup*>(v.widget.data())->setOptions(labels);
    }
}

void PanelView::syncLook(const ControlState& c, ControlView& v) {
    if (c.kind != CtrlKind::Tree) return;
    // A converted radio group has no frame and a transparent background; a plain tree is a
    // white framed list.
    auto* group = static_cast<RadioGroup*>(v.widget.data());
    const bool opaque = c.bgColor != VAL_TRANSPARENT;
    group->setAutoFillBackground(opaque);
    group->setAttribute(Qt::WA_TranslucentBackground, !opaque);
    if (opaque) {
        QPalette pal = group->palette();
        pal.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(c.bgColor & 0xFFFFFF)));
        group->setPalette(pal);
    }
}

void PanelView::syncSelection(const ControlState& c, ControlView& v) {
    if (frontEnd_.isInputSource(panel_, c.id)) return; // the user's own cursor
    if (c.kind == CtrlKind::TextBox) {
        auto* box = static_cast<TextBox*>(v.widget.data());
        box->flush();
        const QTextCursor cur = box->textCursor();
        const int start = std::min(cur.anchor(), cur.position());
        const int length = std::abs(cur.position() - cur.anchor());
        if (start != c.selectionStart || length != c.selectionLength)
            box->selectRange(c.selectionStart, c.selectionLength);
    } else if (c.kind == CtrlKind::String) {
        auto* e = static_cast<QLineEdit*>(v.widget.data());
        const int start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
        const int length = static_cast<int>(e->selectedText().size());
        if (start != c.selectionStart || length != c.selectionLength) {
            if (c.selectionLength > 0)
                e->setSelection(c.selectionStart, c.selectionLength);
            else
                e->setCursorPosition(c.selectionStart);
        }
    }
}

void PanelView::syncTimer(const ControlState& c, ControlView& v) {
    if (!v.timer) return;
    const int ms = std::max(1, static_cast<int>(std::lround(c.interval * 1000.0)));
    if (v.timer->interval() != ms) v.timer->setInterval(ms);
    if (c.enabled && !v.timer->isActive())
        v.timer->start();
    else if (!c.enabled && v.timer->isActive())
        v.timer->stop();
}

void PanelView::appendText(int id, std::string_view text) {
    auto it = controls_.find(id);
    if (it == controls_.end() || it->second.kind != CtrlKind::TextBox) return;
    static_cast<TextBox*>(it->second.widget.data())->append(qs(text));
}

void PanelView::editText(const ControlState& c, int start, int removed, std::string_view inserted) {
    auto it = controls_.find(c.id);
    if (it == controls_.end() || c.kind != CtrlKind::TextBox) return;
    QtFrontEnd::MirrorScope mirror(frontEnd_);
    auto* box = static_cast<TextBox*>(it->second.widget.data());
    if (!box->applyEdit(start, removed, qs(inserted), c.text.revision()))
        box->replaceText(qs(c.text), c.text.revision());
}

void PanelView::flushText() {
    for (auto& [id, v] : controls_)
        if (v.kind == CtrlKind::TextBox && v.widget)
            static_cast<TextBox*>(v.widget.data())->flush();
}

void PanelView::syncMenuEntry(const MenuEntryState& e) {
    auto it = actions_.find(e.id);
    if (it == actions_.end() || !it->second) return;
    QAction* a = it->second;
    QtFrontEnd::MirrorScope mirror(frontEnd_);
    if (!e.separator) a->setText(accelLabel(e.label));
    a->setEnabled(!e.dimmed);
    if (e.checked != a->isChecked()) {
        a->setCheckable(e.checked || a->isCheckable());
        a->setChecked(e.checked);
    }
}

const ControlView* PanelView::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

QAction* PanelView::action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second.data();
}

QMenu* PanelView::menu(int id) const {
    auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : it->second.data();
}

} // namespace uirt::qt
