// Model: control values, focus and the displayed text of a control.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/uirt/model/runtime.h"

namespace uirt {
namespace detail {

namespace {

struct Range {
    double lo, hi;
};

Range typeRange(int dataType) {
    switch (dataType) {
    case VAL_UNSIGNED_CHAR:
        return {0, 255};
    case VAL_INTEGER:
        return {-2147483648.0, 2147483647.0};
    case VAL_UNSIGNED_INTEGER:
        return {0, 4294967295.0};
    default:
        return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    }
}

} // namespace

void storeNumber(ControlState& c, double v) {
    Range r = typeRange(c.dataType);
    if (c.maxValue > c.minValue) r = {std::max(r.lo, c.minValue), std::min(r.hi, c.maxValue)};
    if (std::isnan(v)) v = r.lo;
    if (c.dataType != VAL_DOUBLE) v = std::round(v);
    c.value = std::clamp(v, r.lo, r.hi);
}

std::size_t textLimit(const ControlState& c) {
    return c.kind == CtrlKind::String && c.maxLength > 0 ? static_cast<std::size_t>(c.maxLength)
                                                         : std::string_view::npos;
}

std::string limitText(const ControlState& c, std::string_view text) {
    return std::string(text.substr(0, textLimit(c)));
}

void capLines(ControlState& c) {
    if (c.kind != CtrlKind::TextBox) return;
    const auto dropped =
        static_cast<int>(c.text.keepLastLines(static_cast<std::size_t>(rt().lineCap)));
    if (dropped == 0) return;
    const int end = std::max(0, c.selectionStart + c.selectionLength - dropped);
    c.selectionStart = std::max(0, c.selectionStart - dropped);
    c.selectionLength = end - c.selectionStart;
}

unsigned toUnsigned(double v) {
    if (v < 0) return static_cast<unsigned>(static_cast<std::int64_t>(v));
    if (v > 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<unsigned>(v);
}

int toInt(double v) {
    if (v >= -2147483648.0 && v <= 2147483647.0) return static_cast<int>(v);
    return static_cast<int>(toUnsigned(v));
}

bool holdsText(CtrlKind k) {
    return k == CtrlKind::String || k == CtrlKind::TextBox || k == CtrlKind::TextMessage;
}

void clampSelection(ControlState& c) {
    const int len = static_cast<int>(c.text.size());
    c.selectionStart = std::clamp(c.selectionStart, 0, len);
    c.selectionLength = std::clamp(c.selectionLength, 0, len - c.selectionStart);
}

int copyText(std::string_view text, char* out, std::size_t size) {
    if (!out) return UIE_NULL_POINTER;
    if (size == 0) return UIE_BUFFER_TOO_SMALL;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return n < text.size() ? UIE_BUFFER_TOO_SMALL : 0;
}

bool canFocus(CtrlKind kind) {
    switch (kind) {
    case CtrlKind::Numeric:
    case CtrlKind::String:
    case CtrlKind::TextBox:
    case CtrlKind::CommandButton:
    case CtrlKind::CheckBox:
    case CtrlKind::BinarySwitch:
    case CtrlKind::Ring:
    case CtrlKind::Tree:
        return true;
    default:
        return false;
    }
}

} // namespace detail

namespace {

using namespace detail;

bool holdsNumber(CtrlKind k) {
    return k == CtrlKind::Numeric || k == CtrlKind::CheckBox || k == CtrlKind::BinarySwitch ||
           k == CtrlKind::Led || k == CtrlKind::Ring;
}

int setNumber(int panelHandle, int controlId, double v) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    switch (c->kind) {
    case CtrlKind::Numeric:
        storeNumber(*c, v);
        break;
    case CtrlKind::CheckBox:
    case CtrlKind::Led:
        c->value = v != 0 ? 1 : 0;
        break;
    case CtrlKind::BinarySwitch:
        c->value = (v == c->onValue || (v != c->offValue && v != 0)) ? c->onValue : c->offValue;
        break;
    case CtrlKind::Ring: {
        auto it = std::find_if(c->items.begin(), c->items.end(),
                               [v](const ItemState& i) { return i.value == v; });
        if (it == c->items.end()) return UIE_ITEM_NOT_FOUND;
        c->selectedIndex = static_cast<int>(it - c->items.begin());
        break;
    }
    default:
        return UIE_BAD_VALUE;
    }
    notifyControl(panelHandle, controlId, Change::Value);
    return 0;
}

int readNumber(int panelHandle, int controlId, double* out) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!out) return UIE_NULL_POINTER;
    if (!holdsNumber(c->kind)) return UIE_BAD_VALUE;
    if (c->kind == CtrlKind::Ring) {
        if (c->selectedIndex < 0) return UIE_BAD_INDEX;
        *out = c->items[static_cast<std::size_t>(c->selectedIndex)].value;
    } else {
        *out = c->value;
    }
    return 0;
}

std::string formatNumber(const ControlState& c) {
    char buf[64];
    const int digits = std::min(c.minDigits, 32);
    if (c.dataType == VAL_DOUBLE && c.format == VAL_DECIMAL_FORMAT)
        std::snprintf(buf, sizeof buf, "%0*.*f", digits, std::min(c.precision, 15), c.value);
    else if (c.format == VAL_HEX_FORMAT)
        std::snprintf(buf, sizeof buf, "%0*X", digits, toUnsigned(c.value));
    else
        std::snprintf(buf, sizeof buf, "%0*.0f", digits, c.value);
    return buf;
}

} // namespace

std::string DisplayText(const ControlState& c) {
    switch (c.kind) {
    case CtrlKind::Numeric:
        return formatNumber(c);
    case CtrlKind::String:
    case CtrlKind::TextBox:
    case CtrlKind::TextMessage:
        return c.text.str();
    case CtrlKind::Ring:
        return c.selectedIndex >= 0 ? c.items[static_cast<std::size_t>(c.selectedIndex)].label
                                    : std::string();
    case CtrlKind::BinarySwitch:
        return c.value == c.onValue ? c.onText : c.offText;
    case CtrlKind::CheckBox:
    case CtrlKind::Led:
        return c.value != 0 ? "1" : "0";
    case CtrlKind::Tree:
        for (const ItemState& item : c.items)
            if (item.marked) return item.label;
        return std::string();
    default:
        return c.label;
    }
}

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

int InstallCtrlCallback(int panelHandle, int controlId, CtrlCallbackPtr callback, void* data) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    c->callback = callback;
    c->callbackData = data;
    notifyControl(panelHandle, controlId, Change::Callback);
    return 0;
}

int CallCtrlCallback(int panelHandle, int controlId, int event, int data1, int data2) {
    int err = 0;
    if (!control(panelHandle, controlId, &err)) return err;
    raise(panelHandle, controlId, event, data1, data2);
    return 0;
}

int SetCtrlVal(int p, int c, int value) {
    return setNumber(p, c, value);
}
int SetCtrlVal(int p, int c, unsigned value) {
    return setNumber(p, c, value);
}
int SetCtrlVal(int p, int c, double value) {
    return setNumber(p, c, value);
}

int SetCtrlVal(int panelHandle, int controlId, const char* value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    if (!holdsText(c->kind)) return UIE_BAD_VALUE;
    if (c->kind == CtrlKind::TextBox) {
        c->text.append(value);
        capLines(*c);
        if (rt().frontEnd) rt().frontEnd->textAppended(panelHandle, controlId, value);
        return 0;
    }
    c->text = limitText(*c, value);
    clampSelection(*c);
    notifyControl(panelHandle, controlId, Change::Value);
    return 0;
}

int ResetTextBox(int panelHandle, int controlId, const char* text) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!text) return UIE_NULL_POINTER;
    if (c->kind != CtrlKind::TextBox) return UIE_BAD_VALUE;
    c->text = text;
    capLines(*c);
    clampSelection(*c);
    notifyControl(panelHandle, controlId, Change::Value);
    return 0;
}

int GetCtrlVal(int p, int c, int* value) {
    double v = 0;
    if (!value) return UIE_NULL_POINTER;
    const int err = readNumber(p, c, &v);
    if (err == 0) *value = toInt(v);
    return err;
}

int GetCtrlVal(int p, int c, unsigned* value) {
    double v = 0;
    if (!value) return UIE_NULL_POINTER;
    const int err = readNumber(p, c, &v);
    if (err == 0) *value = toUnsigned(v);
    return err;
}

int GetCtrlVal(int p, int c, unsigned char* value) {
    double v = 0;
    if (!value) return UIE_NULL_POINTER;
    const int err = readNumber(p, c, &v);
    if (err == 0) *value = static_cast<unsigned char>(toUnsigned(v) & 0xFFu);
    return err;
}

int GetCtrlVal(int p, int c, double* value) {
    return readNumber(p, c, value);
}

int GetCtrlVal(int panelHandle, int controlId, char* value, std::size_t size) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!holdsText(c->kind) && c->kind != CtrlKind::Ring) return UIE_BAD_VALUE;
    return copyText(DisplayText(*c), value, size);
}

int SetActiveCtrl(int panelHandle, int controlId) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!canFocus(c->kind)) return UIE_BAD_CONTROL;
    panel(panelHandle)->activeCtrl = controlId;
    notifyControl(panelHandle, controlId, Change::Focus);
    return 0;
}

int GetActiveCtrl(int panelHandle) {
    const PanelState* p = panel(panelHandle);
    return p ? p->activeCtrl : UIE_BAD_PANEL;
}
