// Radio groups: tree controls shown as a vertical list of options with exactly one marked.
#include "ui/Radio.h"

#include "platform/uirt/model/uirt.h"

static int FitRadioToOptions(int panel, int control);

int Radio_ConvertFromTree(int panel, int control) {
    static const struct {
        int attribute;
        int value;
    } treeLook[] = {
        {ATTR_SHOW_CONNECTION_LINES, 0}, {ATTR_TREE_BGCOLOR, VAL_TRANSPARENT},
        {ATTR_COLUMN_LABELS_VISIBLE, 0}, {ATTR_SHOW_PLUS_MINUS, 0},
        {ATTR_SHOW_IMAGES, 0},           {ATTR_FULL_ROW_SELECT, 1},
        {ATTR_ENABLE_DRAG_DROP, 0},      {ATTR_FRAME_VISIBLE, 0},
        {ATTR_AUTO_EXPAND, 1},           {ATTR_AUTO_HSCROLL, 1},
        {ATTR_AUTO_VSCROLL, 1},          {ATTR_SELECTION_VISIBLE, 0},
    };
    static const struct {
        int attribute;
        int value;
    } optionLook[] = {
        {ATTR_MARK_TYPE, VAL_MARK_RADIO},
        {ATTR_LABEL_BGCOLOR, VAL_TRANSPARENT},
        {ATTR_MARK_ON_LABEL_CLICK, 1},
    };
    int status;

    for (const auto& step : treeLook) {
        status = SetCtrlAttribute(panel, control, step.attribute, step.value);
        if (status < 0) return status;
    }
    status = SetCtrlAttribute(panel, control, ATTR_TYPE_TAG, "Radio");
    if (status < 0) return status;
    status = SetCtrlAttribute(panel, control, ATTR_LABEL_LEFT, VAL_AUTO_POSITION);
    if (status < 0) return status;
    for (const auto& step : optionLook) {
        status = SetTreeItemAttribute(panel, control, VAL_ALL_ITEMS, step.attribute, step.value);
        if (status < 0) return status;
    }
    status = FitRadioToOptions(panel, control);
    return status < 0 ? status : control;
}

// Height: the sum of the option heights; width: the column sized to the widest label.
static int FitRadioToOptions(int panel, int control) {
    int count = 0, height = 0, itemHeight = 0, width = 0;
    int status = GetNumListItems(panel, control, &count);
    if (status < 0) return status;
    for (int i = 0; i < count; i++) {
        status = GetTreeItemAttribute(panel, control, i, ATTR_ITEM_HEIGHT, &itemHeight);
        if (status < 0) return status;
        height += itemHeight;
    }
    status = SetCtrlAttribute(panel, control, ATTR_HEIGHT, height);
    if (status < 0) return status;
    status = SetTreeColumnAttribute(panel, control, 0, ATTR_COLUMN_WIDTH, VAL_SIZE_TO_CONTENTS);
    if (status < 0) return status;
    status = GetTreeColumnAttribute(panel, control, 0, ATTR_COLUMN_WIDTH, &width);
    if (status < 0) return status;
    return SetCtrlAttribute(panel, control, ATTR_WIDTH, width);
}

int Radio_GetMarkedOption(int panel, int control, int* index) {
    return GetTreeItem(panel, control, VAL_ALL, 0, VAL_FIRST, VAL_NEXT_PLUS_SELF, VAL_MARKED,
                       index);
}

int Radio_SetMarkedOption(int panel, int control, int index) {
    return SetTreeItemAttribute(panel, control, index, ATTR_MARK_STATE, 1);
}
