// Model: control values, control attributes, focus and the displayed text of a control.
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

int copyText(std::string_view text, char* out, std::size_t size) {
    if (!out) return UIE_NULL_POINTER;
    if (size == 0) return UIE_BUFFER_TOO_SMALL;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return n < text.size() ? UIE_BUFFER_TOO_SMALL : 0;
}

} // namespace detail

namespace {

using namespace detail;

// 32-bit reads keep the bit pattern, so a uint of 0xFFFFFFFF reads as -1 through an int.
unsigned toUnsigned(double v) {
    if (v < 0) return static_cast<unsigned>(static_cast<std::int64_t>(v));
    if (v > 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<unsigned>(v);
}

int toInt(double v) {
    if (v >= -2147483648.0 && v <= 2147483647.0) return static_cast<int>(v);
    return static_cast<int>(toUnsigned(v));
}

bool holdsNumber(CtrlKind k) {
    return k == CtrlKind::Numeric || k == CtrlKind::CheckBox || k == CtrlKind::BinarySwitch ||
           k == CtrlKind::Led || k == CtrlKind::Ring;
}

bool holdsText(CtrlKind k) {
    return k == CtrlKind::String || k == CtrlKind::TextBox || k == CtrlKind::TextMessage;
}

bool isTree(const ControlState& c) {
    return c.kind == CtrlKind::Tree;
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

// Keeps a text selection inside the text.
void clampSelection(ControlState& c) {
    const int len = static_cast<int>(c.text.size());
    c.selectionStart = std::clamp(c.selectionStart, 0, len);
    c.selectionLength = std::clamp(c.selectionLength, 0, len - c.selectionStart);
}

void reclampNumber(int panelHandle, ControlState& c) {
    const double before = c.value;
    storeNumber(c, c.value);
    if (c.value != before) notifyControl(panelHandle, c.id, Change::Value);
}

// Tree look attributes without a field of their own are kept as given.
bool isTreeLookAttribute(int attribute) {
    switch (attribute) {
    case ATTR_SHOW_CONNECTION_LINES:
    case ATTR_SHOW_PLUS_MINUS:
    case ATTR_SHOW_IMAGES:
    case ATTR_FULL_ROW_SELECT:
    case ATTR_ENABLE_DRAG_DROP:
    case ATTR_AUTO_EXPAND:
    case ATTR_AUTO_HSCROLL:
    case ATTR_AUTO_VSCROLL:
    case ATTR_LABEL_LEFT:
        return true;
    default:
        return false;
    }
}

int setDoubleAttribute(int panelHandle, ControlState& c, int attribute, double value) {
    switch (attribute) {
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
        if (c.kind != CtrlKind::Numeric) return UIE_BAD_ATTRIBUTE;
        (attribute == ATTR_MIN_VALUE   ? c.minValue
         : attribute == ATTR_MAX_VALUE ? c.maxValue
                                       : c.increment) = value;
        notifyControl(panelHandle, c.id, Change::Range);
        reclampNumber(panelHandle, c);
        return 0;
    case ATTR_ON_VALUE:
    case ATTR_OFF_VALUE:
        if (c.kind != CtrlKind::BinarySwitch) return UIE_BAD_ATTRIBUTE;
        (attribute == ATTR_ON_VALUE ? c.onValue : c.offValue) = value;
        notifyControl(panelHandle, c.id, Change::Value);
        return 0;
    case ATTR_INTERVAL:
        if (c.kind != CtrlKind::Timer) return UIE_BAD_ATTRIBUTE;
        if (!(value > 0)) return UIE_BAD_VALUE;
        c.interval = value;
        notifyControl(panelHandle, c.id, Change::Timer);
        return 0;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

int setIntAttribute(int panelHandle, ControlState& c, int attribute, int value) {
    Change change = Change::Look;
    switch (attribute) {
    case ATTR_DIMMED:
        c.dimmed = value != 0;
        change = Change::Dimmed;
        break;
    case ATTR_VISIBLE:
        c.visible = value != 0;
        change = Change::Visible;
        break;
    case ATTR_TOP:
        c.top = value;
        change = Change::Geometry;
        break;
    case ATTR_LEFT:
        c.left = value;
        change = Change::Geometry;
        break;
    case ATTR_WIDTH:
        c.width = std::max(0, value);
        change = Change::Geometry;
        break;
    case ATTR_HEIGHT:
        c.height = std::max(0, value);
        change = Change::Geometry;
        break;
    case ATTR_FRAME_VISIBLE:
        c.frameVisible = value != 0;
        break;
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
    case ATTR_ON_VALUE:
    case ATTR_OFF_VALUE:
    case ATTR_INTERVAL:
        return setDoubleAttribute(panelHandle, c, attribute, value);
    case ATTR_FORMAT:
    case ATTR_MIN_DIGITS:
    case ATTR_PRECISION:
        if (c.kind != CtrlKind::Numeric) return UIE_BAD_ATTRIBUTE;
        if (attribute == ATTR_FORMAT && value != VAL_DECIMAL_FORMAT && value != VAL_HEX_FORMAT)
            return UIE_BAD_VALUE;
        if (value < 0 || (attribute != ATTR_FORMAT && value > 32)) return UIE_BAD_VALUE;
        (attribute == ATTR_FORMAT       ? c.format
         : attribute == ATTR_MIN_DIGITS ? c.minDigits
                                        : c.precision) = value;
        change = Change::Range;
        break;
    case ATTR_MAX_ENTRY_LENGTH:
        if (c.kind != CtrlKind::String) return UIE_BAD_ATTRIBUTE;
        if (value < 0) return UIE_BAD_VALUE;
        c.maxLength = value;
        c.text = limitText(c, c.text);
        clampSelection(c);
        notifyControl(panelHandle, c.id, Change::Value);
        change = Change::Range;
        break;
    case ATTR_TEXT_SELECTION_START:
    case ATTR_TEXT_SELECTION_LENGTH:
        if (c.kind != CtrlKind::String && c.kind != CtrlKind::TextBox) return UIE_BAD_ATTRIBUTE;
        (attribute == ATTR_TEXT_SELECTION_START ? c.selectionStart : c.selectionLength) = value;
        clampSelection(c);
        change = Change::Selection;
        break;
    case ATTR_ENABLED:
        if (c.kind != CtrlKind::Timer) return UIE_BAD_ATTRIBUTE;
        c.enabled = value != 0;
        change = Change::Timer;
        break;
    case ATTR_TREE_BGCOLOR:
    case ATTR_SELECTION_VISIBLE:
    case ATTR_COLUMN_LABELS_VISIBLE:
        if (!isTree(c)) return UIE_BAD_ATTRIBUTE;
        if (attribute == ATTR_TREE_BGCOLOR)
            c.bgColor = value;
        else
            (attribute == ATTR_SELECTION_VISIBLE ? c.selectionVisible : c.columnLabelsVisible) =
                value != 0;
        break;
    default:
        if (!isTree(c) || !isTreeLookAttribute(attribute)) return UIE_BAD_ATTRIBUTE;
        c.otherAttributes[attribute] = value;
        break;
    }
    notifyControl(panelHandle, c.id, change);
    return 0;
}

int getIntAttribute(const ControlState& c, int attribute, int* value) {
    switch (attribute) {
    case ATTR_DIMMED:
        *value = c.dimmed;
        return 0;
    case ATTR_VISIBLE:
        *value = c.visible;
        return 0;
    case ATTR_TOP:
        *value = c.top;
        return 0;
    case ATTR_LEFT:
        *value = c.left;
        return 0;
    case ATTR_WIDTH:
        *value = c.width;
        return 0;
    case ATTR_HEIGHT:
        *value = c.height;
        return 0;
    case ATTR_FRAME_VISIBLE:
        *value = c.frameVisible;
        return 0;
    case ATTR_CTRL_KIND:
        *value = static_cast<int>(c.kind);
        return 0;
    default:
        break;
    }
    if (c.kind == CtrlKind::Numeric) {
        switch (attribute) {
        case ATTR_MIN_VALUE:
            *value = toInt(c.minValue);
            return 0;
        case ATTR_MAX_VALUE:
            *value = toInt(c.maxValue);
            return 0;
        case ATTR_INCR_VALUE:
            *value = toInt(c.increment);
            return 0;
        case ATTR_DATA_TYPE:
            *value = c.dataType;
            return 0;
        case ATTR_FORMAT:
            *value = c.format;
            return 0;
        case ATTR_MIN_DIGITS:
            *value = c.minDigits;
            return 0;
        case ATTR_PRECISION:
            *value = c.precision;
            return 0;
        default:
            return UIE_BAD_ATTRIBUTE;
        }
    }
    if (holdsText(c.kind)) {
        switch (attribute) {
        case ATTR_STRING_TEXT_LENGTH:
            *value = static_cast<int>(c.text.size());
            return 0;
        case ATTR_MAX_ENTRY_LENGTH:
            *value = c.maxLength;
            return 0;
        case ATTR_TEXT_SELECTION_START:
            *value = c.selectionStart;
            return 0;
        case ATTR_TEXT_SELECTION_LENGTH:
            *value = c.selectionLength;
            return 0;
        default:
            return UIE_BAD_ATTRIBUTE;
        }
    }
    if (c.kind == CtrlKind::Timer && attribute == ATTR_ENABLED) {
        *value = c.enabled;
        return 0;
    }
    if (c.kind == CtrlKind::BinarySwitch &&
        (attribute == ATTR_ON_VALUE || attribute == ATTR_OFF_VALUE)) {
        *value = toInt(attribute == ATTR_ON_VALUE ? c.onValue : c.offValue);
        return 0;
    }
    if (isTree(c)) {
        switch (attribute) {
        case ATTR_TREE_BGCOLOR:
            *value = c.bgColor;
            return 0;
        case ATTR_SELECTION_VISIBLE:
            *value = c.selectionVisible;
            return 0;
        case ATTR_COLUMN_LABELS_VISIBLE:
            *value = c.columnLabelsVisible;
            return 0;
        default:
            break;
        }
        auto it = c.otherAttributes.find(attribute);
        if (isTreeLookAttribute(attribute)) {
            *value = it == c.otherAttributes.end() ? 0 : it->second;
            return 0;
        }
    }
    return UIE_BAD_ATTRIBUTE;
}

std::string* stringAttribute(ControlState& c, int attribute) {
    switch (attribute) {
    case ATTR_LABEL_TEXT:
        return &c.label;
    case ATTR_ON_TEXT:
        return c.kind == CtrlKind::BinarySwitch ? &c.onText : nullptr;
    case ATTR_OFF_TEXT:
        return c.kind == CtrlKind::BinarySwitch ? &c.offText : nullptr;
    case ATTR_TYPE_TAG:
        return isTree(c) ? &c.typeTag : nullptr;
    default:
        return nullptr;
    }
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

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, int value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    return c ? setIntAttribute(panelHandle, *c, attribute, value) : err;
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, unsigned value) {
    return SetCtrlAttribute(panelHandle, controlId, attribute, static_cast<double>(value));
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, double value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    const int result = setDoubleAttribute(panelHandle, *c, attribute, value);
    if (result != UIE_BAD_ATTRIBUTE) return result;
    // Integer-valued attributes accept a double holding an int.
    if (std::nearbyint(value) != value || value < INT32_MIN || value > INT32_MAX)
        return UIE_BAD_VALUE;
    return setIntAttribute(panelHandle, *c, attribute, static_cast<int>(value));
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, const char* value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    std::string* target = stringAttribute(*c, attribute);
    if (!target) return UIE_BAD_ATTRIBUTE;
    *target = value;
    notifyControl(panelHandle, controlId,
                  attribute == ATTR_TYPE_TAG ? Change::Look : Change::Label);
    return 0;
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, int* value) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    if (attribute == ATTR_INTERVAL) return UIE_BAD_ATTRIBUTE;
    return getIntAttribute(*c, attribute, value);
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, double* value) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    if (c->kind == CtrlKind::Numeric && attribute == ATTR_MIN_VALUE)
        *value = c->minValue;
    else if (c->kind == CtrlKind::Numeric && attribute == ATTR_MAX_VALUE)
        *value = c->maxValue;
    else if (c->kind == CtrlKind::Numeric && attribute == ATTR_INCR_VALUE)
        *value = c->increment;
    else if (c->kind == CtrlKind::Timer && attribute == ATTR_INTERVAL)
        *value = c->interval;
    else if (c->kind == CtrlKind::BinarySwitch && attribute == ATTR_ON_VALUE)
        *value = c->onValue;
    else if (c->kind == CtrlKind::BinarySwitch && attribute == ATTR_OFF_VALUE)
        *value = c->offValue;
    else {
        int i = 0;
        const int result = getIntAttribute(*c, attribute, &i);
        if (result == 0) *value = i;
        return result;
    }
    return 0;
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, char* value, std::size_t size) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (attribute == ATTR_CONSTANT_NAME) return copyText(c->res->constName, value, size);
    const std::string* source = stringAttribute(*c, attribute);
    if (!source) return UIE_BAD_ATTRIBUTE;
    return copyText(*source, value, size);
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
