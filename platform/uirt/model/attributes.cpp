// Model: control attributes. Each attribute's rule (the kinds that have it, how it is read,
// written and checked, what the front end re-reads) is one row of a table.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "platform/uirt/model/runtime.h"

namespace uirt {

namespace {

using namespace detail;

using Kinds = bool (*)(CtrlKind);

bool anyKind(CtrlKind) {
    return true;
}
template <CtrlKind K> bool only(CtrlKind k) {
    return k == K;
}
bool editsText(CtrlKind k) {
    return k == CtrlKind::String || k == CtrlKind::TextBox;
}

// A number attribute. `set` stores a value already checked to suit the kind; it returns 0 or
// UIE_BAD_VALUE.
struct NumberRule {
    int attribute;
    Kinds reads;
    Kinds writes; // null: read-only
    double (*get)(const ControlState&, int attribute);
    int (*set)(ControlState&, int attribute, double value);
    Change change = Change::Look;                     // re-read by the front end after a write
    void (*then)(int panel, ControlState&) = nullptr; // more to do after that notification
    bool real = false;   // double-valued: a double setting it need not hold an int
    bool intRead = true; // also readable as an int (real ones through toInt)
};

template <auto Field> double read(const ControlState& c, int) {
    return static_cast<double>(c.*Field);
}

template <auto Field> int write(ControlState& c, int, double v) {
    using T = std::remove_reference_t<decltype(c.*Field)>;
    if constexpr (std::is_same_v<T, bool>)
        c.*Field = v != 0;
    else
        c.*Field = static_cast<T>(v);
    return 0;
}

template <auto Field> int writeSize(ControlState& c, int, double v) {
    c.*Field = std::max(0, static_cast<int>(v));
    return 0;
}

template <auto Field> int writeDigits(ControlState& c, int, double v) {
    if (v < 0 || v > 32) return UIE_BAD_VALUE;
    c.*Field = static_cast<int>(v);
    return 0;
}

int writeFormat(ControlState& c, int, double v) {
    if (v != VAL_DECIMAL_FORMAT && v != VAL_HEX_FORMAT) return UIE_BAD_VALUE;
    c.format = static_cast<int>(v);
    return 0;
}

int writeMaxLength(ControlState& c, int, double v) {
    if (v < 0) return UIE_BAD_VALUE;
    c.maxLength = static_cast<int>(v);
    c.text = limitText(c, c.text);
    clampSelection(c);
    return 0;
}

template <auto Field> int writeSelection(ControlState& c, int, double v) {
    c.*Field = static_cast<int>(v);
    clampSelection(c);
    return 0;
}

int writeInterval(ControlState& c, int, double v) {
    if (!(v > 0)) return UIE_BAD_VALUE;
    c.interval = v;
    return 0;
}

double readKind(const ControlState& c, int) {
    return static_cast<int>(c.kind);
}

double readTraceCount(const ControlState& c, int) {
    return static_cast<double>(c.traces.size());
}

double readTextLength(const ControlState& c, int) {
    return static_cast<double>(c.text.size());
}

// Tree look attributes without a field of their own are kept as given.
double readLook(const ControlState& c, int attribute) {
    auto it = c.otherAttributes.find(attribute);
    return it == c.otherAttributes.end() ? 0 : it->second;
}

int writeLook(ControlState& c, int attribute, double v) {
    c.otherAttributes[attribute] = static_cast<int>(v);
    return 0;
}

void reclampNumber(int panelHandle, ControlState& c) {
    const double before = c.value;
    storeNumber(c, c.value);
    if (c.value != before) notifyControl(panelHandle, c.id, Change::Value);
}

void showRange(int panelHandle, ControlState& c) {
    notifyControl(panelHandle, c.id, Change::Range);
}

void showPoints(int panelHandle, ControlState& c) {
    notifyPoints(panelHandle, c);
}

using S = ControlState;
constexpr auto numeric = only<CtrlKind::Numeric>;
constexpr auto string = only<CtrlKind::String>;
constexpr auto binarySwitch = only<CtrlKind::BinarySwitch>;
constexpr auto timer = only<CtrlKind::Timer>;
constexpr auto tree = only<CtrlKind::Tree>;
constexpr auto chart = only<CtrlKind::StripChart>;

const NumberRule kNumberRules[] = {
    {ATTR_DIMMED, anyKind, anyKind, read<&S::dimmed>, write<&S::dimmed>, Change::Dimmed},
    {ATTR_VISIBLE, anyKind, anyKind, read<&S::visible>, write<&S::visible>, Change::Visible},
    {ATTR_TOP, anyKind, anyKind, read<&S::top>, write<&S::top>, Change::Geometry},
    {ATTR_LEFT, anyKind, anyKind, read<&S::left>, write<&S::left>, Change::Geometry},
    {ATTR_WIDTH, anyKind, anyKind, read<&S::width>, writeSize<&S::width>, Change::Geometry},
    {ATTR_HEIGHT, anyKind, anyKind, read<&S::height>, writeSize<&S::height>, Change::Geometry},
    {ATTR_FRAME_VISIBLE, anyKind, anyKind, read<&S::frameVisible>, write<&S::frameVisible>},
    {ATTR_CTRL_KIND, anyKind, nullptr, readKind, nullptr},
    // Numeric: a new range re-clamps the value.
    {ATTR_MIN_VALUE, numeric, numeric, read<&S::minValue>, write<&S::minValue>, Change::Range,
     reclampNumber, true},
    {ATTR_MAX_VALUE, numeric, numeric, read<&S::maxValue>, write<&S::maxValue>, Change::Range,
     reclampNumber, true},
    {ATTR_INCR_VALUE, numeric, numeric, read<&S::increment>, write<&S::increment>, Change::Range,
     reclampNumber, true},
    {ATTR_DATA_TYPE, numeric, nullptr, read<&S::dataType>, nullptr},
    {ATTR_FORMAT, numeric, numeric, read<&S::format>, writeFormat, Change::Range},
    {ATTR_MIN_DIGITS, numeric, numeric, read<&S::minDigits>, writeDigits<&S::minDigits>,
     Change::Range},
    {ATTR_PRECISION, numeric, numeric, read<&S::precision>, writeDigits<&S::precision>,
     Change::Range},
    // Texts: a shorter maximum length cuts the text (shown first), then the range is shown.
    {ATTR_STRING_TEXT_LENGTH, holdsText, nullptr, readTextLength, nullptr},
    {ATTR_MAX_ENTRY_LENGTH, holdsText, string, read<&S::maxLength>, writeMaxLength, Change::Value,
     showRange},
    {ATTR_TEXT_SELECTION_START, holdsText, editsText, read<&S::selectionStart>,
     writeSelection<&S::selectionStart>, Change::Selection},
    {ATTR_TEXT_SELECTION_LENGTH, holdsText, editsText, read<&S::selectionLength>,
     writeSelection<&S::selectionLength>, Change::Selection},
    // Binary switch and timer. The interval is read as a double only.
    {ATTR_ON_VALUE, binarySwitch, binarySwitch, read<&S::onValue>, write<&S::onValue>,
     Change::Value, nullptr, true},
    {ATTR_OFF_VALUE, binarySwitch, binarySwitch, read<&S::offValue>, write<&S::offValue>,
     Change::Value, nullptr, true},
    {ATTR_INTERVAL, timer, timer, read<&S::interval>, writeInterval, Change::Timer, nullptr, true,
     false},
    {ATTR_ENABLED, timer, timer, read<&S::enabled>, write<&S::enabled>, Change::Timer},
    // Strip chart: a new trace count clears the points, fewer points per screen drop some.
    {ATTR_NUM_TRACES, chart, chart, readTraceCount, writeTraceCount, Change::Items, showPoints},
    {ATTR_POINTS_PER_SCREEN, chart, chart, read<&S::pointsPerScreen>, writePointsPerScreen,
     Change::Range, showPoints},
    {ATTR_YAXIS_MIN, chart, chart, read<&S::minValue>, writeYAxisBound, Change::Range, nullptr,
     true},
    {ATTR_YAXIS_MAX, chart, chart, read<&S::maxValue>, writeYAxisBound, Change::Range, nullptr,
     true},
    {ATTR_YAXIS_SCALING, chart, chart, read<&S::autoScale>, writeYAxisScaling, Change::Range},
    // Tree look.
    {ATTR_TREE_BGCOLOR, tree, tree, read<&S::bgColor>, write<&S::bgColor>},
    {ATTR_SELECTION_VISIBLE, tree, tree, read<&S::selectionVisible>, write<&S::selectionVisible>},
    {ATTR_COLUMN_LABELS_VISIBLE, tree, tree, read<&S::columnLabelsVisible>,
     write<&S::columnLabelsVisible>},
    {ATTR_SHOW_CONNECTION_LINES, tree, tree, readLook, writeLook},
    {ATTR_SHOW_PLUS_MINUS, tree, tree, readLook, writeLook},
    {ATTR_SHOW_IMAGES, tree, tree, readLook, writeLook},
    {ATTR_FULL_ROW_SELECT, tree, tree, readLook, writeLook},
    {ATTR_ENABLE_DRAG_DROP, tree, tree, readLook, writeLook},
    {ATTR_AUTO_EXPAND, tree, tree, readLook, writeLook},
    {ATTR_AUTO_HSCROLL, tree, tree, readLook, writeLook},
    {ATTR_AUTO_VSCROLL, tree, tree, readLook, writeLook},
    {ATTR_LABEL_LEFT, tree, tree, readLook, writeLook},
};

// A string attribute: `field` is null for a read-only one.
struct StringRule {
    int attribute;
    Kinds kinds;
    std::string_view (*get)(const ControlState&);
    std::string* (*field)(ControlState&);
    Change change;
};

template <auto Field> std::string_view readText(const ControlState& c) {
    return c.*Field;
}
template <auto Field> std::string* textField(ControlState& c) {
    return &(c.*Field);
}
std::string_view constantName(const ControlState& c) {
    return c.res->constName;
}

const StringRule kStringRules[] = {
    {ATTR_LABEL_TEXT, anyKind, readText<&S::label>, textField<&S::label>, Change::Label},
    {ATTR_ON_TEXT, binarySwitch, readText<&S::onText>, textField<&S::onText>, Change::Label},
    {ATTR_OFF_TEXT, binarySwitch, readText<&S::offText>, textField<&S::offText>, Change::Label},
    {ATTR_TYPE_TAG, tree, readText<&S::typeTag>, textField<&S::typeTag>, Change::Look},
    {ATTR_CONSTANT_NAME, anyKind, constantName, nullptr, Change::Label},
};

template <typename Rule, std::size_t N>
const Rule* find(const Rule (&rules)[N], int attribute, Kinds Rule::*kinds, CtrlKind kind) {
    for (const Rule& r : rules)
        if (r.attribute == attribute) return r.*kinds && (r.*kinds)(kind) ? &r : nullptr;
    return nullptr;
}

int writeNumber(int panelHandle, ControlState& c, int attribute, double value) {
    const NumberRule* r = find(kNumberRules, attribute, &NumberRule::writes, c.kind);
    if (!r) return UIE_BAD_ATTRIBUTE;
    const int result = r->set(c, attribute, value);
    if (result != 0) return result;
    notifyControl(panelHandle, c.id, r->change);
    if (r->then) r->then(panelHandle, c);
    return 0;
}

const NumberRule* readable(const ControlState& c, int attribute) {
    return find(kNumberRules, attribute, &NumberRule::reads, c.kind);
}

} // namespace

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, int value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    return c ? writeNumber(panelHandle, *c, attribute, value) : err;
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, unsigned value) {
    return SetCtrlAttribute(panelHandle, controlId, attribute, static_cast<double>(value));
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, double value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    // Integer-valued attributes accept a double holding an int.
    const NumberRule* r = find(kNumberRules, attribute, &NumberRule::writes, c->kind);
    const bool holdsInt =
        std::nearbyint(value) == value && value >= INT32_MIN && value <= INT32_MAX;
    if (!(r && r->real) && !holdsInt) return UIE_BAD_VALUE;
    return writeNumber(panelHandle, *c, attribute, value);
}

int SetCtrlAttribute(int panelHandle, int controlId, int attribute, const char* value) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    const StringRule* r = find(kStringRules, attribute, &StringRule::kinds, c->kind);
    if (!r || !r->field) return UIE_BAD_ATTRIBUTE;
    *r->field(*c) = value;
    notifyControl(panelHandle, controlId, r->change);
    return 0;
}

// Reads a number attribute; an int reader needs one that can be read as an int.
template <class T> static int readNumber(int panelHandle, int controlId, int attribute, T* value) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    const NumberRule* r = readable(*c, attribute);
    constexpr bool asInt = std::is_same_v<T, int>;
    if (!r || (asInt && !r->intRead)) return UIE_BAD_ATTRIBUTE;
    const double v = r->get(*c, attribute);
    if constexpr (asInt)
        *value = r->real ? toInt(v) : static_cast<int>(v);
    else
        *value = v;
    return 0;
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, int* value) {
    return readNumber(panelHandle, controlId, attribute, value);
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, double* value) {
    return readNumber(panelHandle, controlId, attribute, value);
}

int GetCtrlAttribute(int panelHandle, int controlId, int attribute, char* value, std::size_t size) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    const StringRule* r = find(kStringRules, attribute, &StringRule::kinds, c->kind);
    if (!r) return UIE_BAD_ATTRIBUTE;
    return copyText(r->get(*c), value, size);
}
