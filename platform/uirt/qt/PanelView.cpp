// One panel's window in the Qt front end: its widgets, menu bar and timers, mirrored from the
// model.
#include "platform/uirt/qt/PanelView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/uirt/qt/TextBox.h"
#include "platform/uirt/qt/TickTimer.h"

namespace uirt::qt {

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

PanelShell::PanelShell(ViewHost& host, int panel)
    : QWidget(nullptr), host_(host), panel_(panel), body_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this); // children: owned by this window
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    body_->setObjectName(QStringLiteral("panelArea"));
}

QMenuBar* PanelShell::addMenuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        layout()->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void PanelShell::closeEvent(QCloseEvent* e) {
    // The model decides: the close control's callback quits, hides or does nothing.
    e->ignore();
    const int panel = panel_;
    host_.userInput(panel, 0, [panel] { input::closePanel(panel); });
}

bool PanelShell::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !host_.mirroring()) {
        const int panel = panel_;
        host_.userInput(panel, 0, [panel] { input::activatePanel(panel); });
    }
    return QWidget::event(e);
}

// ---- PanelView -----------------------------------------------------------------------------

PanelView::PanelView(ViewHost& host, const PanelState& panel)
    : host_(host), panel_(panel.handle), menuBar_(panel.menuBar),
      window_(std::make_unique<PanelShell>(host, panel.handle)) {
    window_->setObjectName(qs(panel.res->constName));
    ViewHost::MirrorScope mirror(host_);
    build(panel);
}

PanelView::~PanelView() {
    host_.dispose(std::move(window_));
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
    QWidget* area = window_->body();
    ControlView& v = controls_[c.id];
    v.kind = c.kind;
    v.binding = &BindingFor(c.kind);
    v.host = &host_;
    v.panel = panel_;
    v.binding->create(v, BindingSite{window_.get(), area, host_, panel_, c});
    const LabelPlace place = v.binding->labelPlace();
    if (place == LabelPlace::Above || place == LabelPlace::Right) {
        v.label = new QLabel(area); // owned by the panel area
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
    ViewHost& host = host_;
    const int handle = bar.handle;
    QMenu* current = nullptr;
    for (const MenuEntryState& e : bar.entries) {
        if (e.menu == 0) {
            current = mb->addMenu(accelLabel(e.label));
            current->setObjectName(qs(e.res->constName));
            const int menuId = e.id;
            // The dimmer runs each time the menu opens, before it is drawn.
            QObject::connect(current, &QMenu::aboutToShow, current, [&host, handle, menuId] {
                host.userInput(0, 0, [&] { input::openMenu(handle, menuId); });
            });
            menus_[e.id] = current;
            actions_[e.id] = current->menuAction();
        } else if (current) {
            QAction* a = e.separator ? current->addSeparator() : current->addAction(QString());
            a->setObjectName(qs(e.res->constName));
            if (!e.separator) {
                const int item = e.id;
                QObject::connect(a, &QAction::triggered, a, [&host, handle, item] {
                    host.userInput(0, 0, [&] { input::chooseMenuItem(handle, item); });
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
                QLabel* label = &widgetOf<QLabel>(v);
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
    ViewHost::MirrorScope mirror(host_);
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
    ViewHost::MirrorScope mirror(host_);
    const QSignalBlocker block(v.widget.data());
    const ControlBinding& b = *v.binding;
    switch (what) {
    case Change::Value:
    case Change::Marks:
        b.showValue(v, c);
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
        if (v.widget) b.place(v, c);
        break;
    case Change::Range:
        b.showRange(v, c);
        break;
    case Change::Items:
        b.showItems(v, c);
        b.showValue(v, c);
        break;
    case Change::Look:
        b.showLook(v, c);
        break;
    case Change::Selection:
        if (!host_.isInputSource(panel_, c.id)) b.showSelection(v, c); // else the user's cursor
        break;
    case Change::Focus:
        if (v.widget && window_->isVisible()) v.widget->setFocus(Qt::OtherFocusReason);
        break;
    case Change::Timer:
        if (v.timer) b.showTimer(v, c);
        break;
    case Change::Callback:
        break;
    }
}

void PanelView::syncLabel(const ControlState& c, ControlView& v) {
    const ControlBinding& b = *v.binding;
    b.showLabel(v, c);
    if (b.labelPlace() == LabelPlace::ToolTip && v.widget) v.widget->setToolTip(qs(c.label));
    if (v.label) {
        const QString label = accelLabel(c.label);
        v.label->setText(label);
        v.label->setVisible(c.visible && !label.isEmpty());
        if (v.widget) b.place(v, c);
    }
}

TextBox* PanelView::textBox(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : qobject_cast<TextBox*>(it->second.widget.data());
}

void PanelView::appendText(int id, std::string_view text) {
    if (TextBox* box = textBox(id)) box->append(qs(text));
}

void PanelView::editText(const ControlState& c, int start, int removed, std::string_view inserted) {
    TextBox* box = textBox(c.id);
    if (!box) return;
    ViewHost::MirrorScope mirror(host_);
    if (!box->applyEdit(start, removed, qs(inserted), c.text.revision()))
        box->replaceText(qs(c.text), c.text.revision());
}

void PanelView::flushText() {
    for (const auto& [id, v] : controls_)
        if (auto* box = qobject_cast<TextBox*>(v.widget.data())) box->flush();
}

void PanelView::syncMenuEntry(const MenuEntryState& e) {
    auto it = actions_.find(e.id);
    if (it == actions_.end() || !it->second) return;
    QAction* a = it->second;
    ViewHost::MirrorScope mirror(host_);
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
