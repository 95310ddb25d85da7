// Model: ring and tree items, tree item marks (radio marks keep exactly one marked), columns.
#include <algorithm>

#include "platform/uirt/model/runtime.h"

using namespace uirt;
using namespace uirt::detail;

namespace {

bool isList(const ControlState& c) {
    return c.kind == CtrlKind::Ring || c.kind == CtrlKind::Tree;
}

// Resolves a ring or tree; *err gets the failure code.
ControlState* listControl(int panelHandle, int controlId, int* err) {
    ControlState* c = control(panelHandle, controlId, err);
    if (c && !isList(*c)) {
        *err = UIE_BAD_CONTROL;
        return nullptr;
    }
    return c;
}

ControlState* treeControl(int panelHandle, int controlId, int* err) {
    ControlState* c = control(panelHandle, controlId, err);
    if (c && c->kind != CtrlKind::Tree) {
        *err = UIE_BAD_CONTROL;
        return nullptr;
    }
    return c;
}

bool validIndex(const ControlState& c, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < c.items.size();
}

int insertItem(int panelHandle, int controlId, int index, const char* label, double value) {
    int err = 0;
    ControlState* c = listControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!label) return UIE_NULL_POINTER;
    const int count = static_cast<int>(c->items.size());
    if (index == -1) index = count;
    if (index < 0 || index > count) return UIE_BAD_INDEX;
    ItemState item{.label = label, .value = value};
    item.height = metrics().lineHeight(c->res->font);
    if (!c->items.empty()) item.markType = c->items.front().markType;
    c->items.insert(c->items.begin() + index, std::move(item));
    const bool selectionMoved =
        c->kind == CtrlKind::Ring && (c->selectedIndex < 0 || index <= c->selectedIndex);
    if (selectionMoved) c->selectedIndex = c->selectedIndex < 0 ? 0 : c->selectedIndex + 1;
    notifyControl(panelHandle, controlId, Change::Items);
    if (selectionMoved) notifyControl(panelHandle, controlId, Change::Value);
    return 0;
}

// Radio marks: exactly one item marked. Keeps the first marked one, or marks the first item.
void enforceOneMark(ControlState& c) {
    bool seen = false;
    for (ItemState& item : c.items) {
        if (item.markType != VAL_MARK_RADIO) continue;
        if (item.marked && seen) item.marked = 0;
        seen = seen || item.marked;
    }
    if (seen) return;
    for (ItemState& item : c.items)
        if (item.markType == VAL_MARK_RADIO) {
            item.marked = 1;
            return;
        }
}

int setItemAttribute(ControlState& c, ItemState& item, int attribute, int value) {
    switch (attribute) {
    case ATTR_MARK_TYPE:
        if (value < VAL_MARK_NONE || value > VAL_MARK_RADIO) return UIE_BAD_VALUE;
        item.markType = value;
        return 0;
    case ATTR_MARK_STATE:
        item.marked = value != 0;
        if (item.marked && item.markType == VAL_MARK_RADIO)
            for (ItemState& other : c.items)
                if (&other != &item && other.markType == VAL_MARK_RADIO) other.marked = 0;
        return 0;
    case ATTR_LABEL_BGCOLOR:
        item.labelBgColor = value;
        return 0;
    case ATTR_MARK_ON_LABEL_CLICK:
        item.markOnLabelClick = value != 0;
        return 0;
    case ATTR_ITEM_HEIGHT:
        if (value <= 0) return UIE_BAD_VALUE;
        item.height = value;
        return 0;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

Change itemChange(int attribute) {
    switch (attribute) {
    case ATTR_MARK_TYPE:
    case ATTR_MARK_STATE:
        return Change::Marks;
    case ATTR_ITEM_HEIGHT:
        return Change::Geometry;
    default:
        return Change::Look;
    }
}

} // namespace

int InsertListItem(int p, int c, int index, const char* label, int value) {
    return insertItem(p, c, index, label, value);
}
int InsertListItem(int p, int c, int index, const char* label, unsigned value) {
    return insertItem(p, c, index, label, value);
}
int InsertListItem(int p, int c, int index, const char* label, double value) {
    return insertItem(p, c, index, label, value);
}

int ClearListCtrl(int panelHandle, int controlId) {
    int err = 0;
    ControlState* c = listControl(panelHandle, controlId, &err);
    if (!c) return err;
    c->items.clear();
    c->selectedIndex = -1;
    notifyControl(panelHandle, controlId, Change::Items);
    notifyControl(panelHandle, controlId, Change::Value);
    return 0;
}

int GetNumListItems(int panelHandle, int controlId, int* count) {
    int err = 0;
    const ControlState* c = listControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!count) return UIE_NULL_POINTER;
    *count = static_cast<int>(c->items.size());
    return 0;
}

int GetCtrlIndex(int panelHandle, int controlId, int* index) {
    int err = 0;
    const ControlState* c = listControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!index) return UIE_NULL_POINTER;
    if (c->kind == CtrlKind::Ring) {
        *index = c->selectedIndex;
        return 0;
    }
    auto it = std::find_if(c->items.begin(), c->items.end(),
                           [](const ItemState& i) { return i.marked != 0; });
    *index = it == c->items.end() ? -1 : static_cast<int>(it - c->items.begin());
    return 0;
}

int GetLabelFromIndex(int panelHandle, int controlId, int index, char* label, std::size_t size) {
    int err = 0;
    const ControlState* c = listControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!validIndex(*c, index)) return UIE_BAD_INDEX;
    return copyText(c->items[static_cast<std::size_t>(index)].label, label, size);
}

int SetTreeItemAttribute(int panelHandle, int controlId, int index, int attribute, int value) {
    int err = 0;
    ControlState* c = treeControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (index != VAL_ALL_ITEMS && !validIndex(*c, index)) return UIE_BAD_INDEX;
    for (std::size_t i = 0; i < c->items.size(); ++i) {
        if (index != VAL_ALL_ITEMS && static_cast<int>(i) != index) continue;
        const int result = setItemAttribute(*c, c->items[i], attribute, value);
        if (result < 0) return result;
    }
    if (attribute == ATTR_MARK_TYPE) enforceOneMark(*c);
    notifyControl(panelHandle, controlId, itemChange(attribute));
    return 0;
}

int GetTreeItemAttribute(int panelHandle, int controlId, int index, int attribute, int* value) {
    int err = 0;
    const ControlState* c = treeControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    if (!validIndex(*c, index)) return UIE_BAD_INDEX;
    const ItemState& item = c->items[static_cast<std::size_t>(index)];
    switch (attribute) {
    case ATTR_MARK_TYPE:
        *value = item.markType;
        return 0;
    case ATTR_MARK_STATE:
        *value = item.marked;
        return 0;
    case ATTR_LABEL_BGCOLOR:
        *value = item.labelBgColor;
        return 0;
    case ATTR_MARK_ON_LABEL_CLICK:
        *value = item.markOnLabelClick;
        return 0;
    case ATTR_ITEM_HEIGHT:
        *value = item.height;
        return 0;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

int SetTreeColumnAttribute(int panelHandle, int controlId, int column, int attribute, int value) {
    int err = 0;
    ControlState* c = treeControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (column != 0) return UIE_BAD_INDEX;
    if (attribute != ATTR_COLUMN_WIDTH) return UIE_BAD_ATTRIBUTE;
    if (value == VAL_SIZE_TO_CONTENTS) {
        // Widest label plus its mark; a mark is as wide as a line is high.
        Metrics& m = metrics();
        const std::string_view font = c->res->font;
        int width = 0;
        for (const ItemState& item : c->items) {
            const int mark = item.markType != VAL_MARK_NONE ? m.lineHeight(font) + 4 : 0;
            width = std::max(width, mark + m.textWidth(item.label, font) + 4);
        }
        value = width;
    }
    if (value < 0) return UIE_BAD_VALUE;
    c->columnWidth = value;
    notifyControl(panelHandle, controlId, Change::Geometry);
    return 0;
}

int GetTreeColumnAttribute(int panelHandle, int controlId, int column, int attribute, int* value) {
    int err = 0;
    const ControlState* c = treeControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!value) return UIE_NULL_POINTER;
    if (column != 0) return UIE_BAD_INDEX;
    if (attribute != ATTR_COLUMN_WIDTH) return UIE_BAD_ATTRIBUTE;
    *value = c->columnWidth;
    return 0;
}

int GetTreeItem(int panelHandle, int controlId, int area, int, int relativeIndex, int direction,
                int state, int* index) {
    int err = 0;
    const ControlState* c = treeControl(panelHandle, controlId, &err);
    if (!c) return err;
    if (!index) return UIE_NULL_POINTER;
    if (area != VAL_ALL || (state != VAL_MARKED && state != VAL_ANY_STATE)) return UIE_BAD_VALUE;
    const int count = static_cast<int>(c->items.size());
    int start = relativeIndex == VAL_FIRST  ? 0
                : relativeIndex == VAL_LAST ? count - 1
                                            : relativeIndex;
    if (count > 0 && (start < 0 || start >= count)) return UIE_BAD_INDEX;
    int step = 1;
    switch (direction) {
    case VAL_NEXT:
        ++start;
        break;
    case VAL_NEXT_PLUS_SELF:
        break;
    case VAL_PREV:
        --start;
        step = -1;
        break;
    case VAL_PREV_PLUS_SELF:
        step = -1;
        break;
    default:
        return UIE_BAD_VALUE;
    }
    *index = -1;
    for (int i = start; i >= 0 && i < count; i += step) {
        if (state == VAL_ANY_STATE || c->items[static_cast<std::size_t>(i)].marked) {
            *index = i;
            break;
        }
    }
    return 0;
}
