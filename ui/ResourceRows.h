// Builders that make each control or menu entry of a panel table one row, named by its constant.
#pragma once

#include "ui/Resources.h"

namespace rows {

// A control constant with its own spelling, so that a row's number and name cannot differ.
struct Named {
    int id;
    const char* name;
};
#define ID(constant)                                                                               \
    ::rows::Named {                                                                                \
        constant, #constant                                                                        \
    }

struct Box {
    int top, left, width, height;
};

using uirt::ControlRes;
using uirt::ItemRes;
using uirt::MenuEntryRes;
using K = uirt::CtrlKind;

constexpr ControlRes Placed(Named n, K kind, Box b) {
    return {.id = n.id,
            .constName = n.name,
            .kind = kind,
            .top = b.top,
            .left = b.left,
            .width = b.width,
            .height = b.height};
}

constexpr ControlRes Labelled(Named n, K kind, Box b, const char* label, const char* callback) {
    ControlRes c = Placed(n, kind, b);
    c.label = label;
    c.callback = callback;
    return c;
}

constexpr ControlRes Button(Named n, Box b, const char* label, const char* callback) {
    return Labelled(n, K::CommandButton, b, label, callback);
}

constexpr ControlRes CheckBox(Named n, Box b, const char* label, const char* callback,
                              int value = 0) {
    ControlRes c = Labelled(n, K::CheckBox, b, label, callback);
    c.value = value;
    return c;
}

// Increment 1, decimal unless wrapped in Hex().
constexpr ControlRes Numeric(Named n, Box b, const char* label, const char* callback, int dataType,
                             double value, double minValue, double maxValue) {
    ControlRes c = Labelled(n, K::Numeric, b, label, callback);
    c.dataType = dataType;
    c.value = value;
    c.minValue = minValue;
    c.maxValue = maxValue;
    return c;
}

constexpr ControlRes String(Named n, Box b, const char* label, const char* callback,
                            int maxLength) {
    ControlRes c = Labelled(n, K::String, b, label, callback);
    c.maxLength = maxLength;
    return c;
}

constexpr ControlRes Ring(Named n, Box b, const char* label, const char* callback, int dataType,
                          double value, std::span<const ItemRes> items = {}) {
    ControlRes c = Labelled(n, K::Ring, b, label, callback);
    c.dataType = dataType;
    c.value = value;
    c.items = items;
    return c;
}

// A tree the program turns into a radio group.
constexpr ControlRes Tree(Named n, Box b, const char* callback, std::span<const ItemRes> items) {
    ControlRes c = Labelled(n, K::Tree, b, "", callback);
    c.items = items;
    return c;
}

// On value 1, off value 0.
constexpr ControlRes Switch(Named n, Box b, const char* callback, const char* onText,
                            const char* offText, int value) {
    ControlRes c = Labelled(n, K::BinarySwitch, b, "", callback);
    c.onText = onText;
    c.offText = offText;
    c.value = value;
    return c;
}

constexpr ControlRes Led(Named n, Box b, const char* label = "") {
    return Labelled(n, K::Led, b, label, "");
}

constexpr ControlRes TextBox(Named n, Box b, const char* callback, const char* font) {
    ControlRes c = Labelled(n, K::TextBox, b, "", callback);
    c.font = font;
    return c;
}

constexpr ControlRes TextMessage(Named n, Box b, const char* text) {
    ControlRes c = Placed(n, K::TextMessage, b);
    c.text = text;
    return c;
}

constexpr ControlRes Decoration(Named n, Box b) {
    return Placed(n, K::Decoration, b);
}
constexpr ControlRes Splitter(Named n, Box b) {
    return Placed(n, K::Splitter, b);
}
constexpr ControlRes Picture(Named n, Box b) {
    return Placed(n, K::Picture, b);
}

// Its y axis scales to the points shown, from yMin..yMax while there are none; 60 points.
constexpr ControlRes StripChart(Named n, Box b, const char* label, int traces, double yMin,
                                double yMax) {
    ControlRes c = Labelled(n, K::StripChart, b, label, "");
    c.traces = traces;
    c.minValue = yMin;
    c.maxValue = yMax;
    c.autoScale = true;
    c.pointsPerScreen = 60;
    return c;
}

// Stopped when loaded.
constexpr ControlRes Timer(Named n, const char* label, const char* callback, double interval) {
    ControlRes c = Labelled(n, K::Timer, {}, label, callback);
    c.interval = interval;
    return c;
}

// State when loaded, for any row.
constexpr ControlRes Hex(ControlRes c) {
    c.format = VAL_HEX_FORMAT;
    c.minDigits = 2;
    return c;
}
constexpr ControlRes Dimmed(ControlRes c) {
    c.dimmed = true;
    return c;
}
constexpr ControlRes Hidden(ControlRes c) {
    c.visible = false;
    return c;
}

constexpr MenuEntryRes Menu(Named n, const char* label) {
    return {.id = n.id, .constName = n.name, .label = label, .isMenu = true};
}
constexpr MenuEntryRes Item(Named n, const char* label, const char* callback,
                            const char* shortcut = "") {
    return {.id = n.id,
            .constName = n.name,
            .label = label,
            .callback = callback,
            .shortcut = shortcut};
}
constexpr MenuEntryRes Separator(Named n) {
    return {.id = n.id, .constName = n.name, .separator = true};
}
constexpr MenuEntryRes Dimmed(MenuEntryRes e) {
    e.dimmed = true;
    return e;
}

} // namespace rows
