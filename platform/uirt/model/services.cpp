// Model: popups, mouse, clipboard keystrokes, printing, help window and error texts.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/runtime.h"

using namespace uirt;
using namespace uirt::detail;

namespace {

FrontEnd* fe() {
    return rt().frontEnd.get();
}

std::string_view orEmpty(const char* s) {
    return s ? s : "";
}

// Ctrl+C/X/V on a string or text box, through the clipboard. Cut and paste are edits by the
// user, so they raise value changed.
void editText(int panelHandle, ControlState& c, char key) {
    Clipboard& clip = fe()->clipboard();
    const auto start = static_cast<std::size_t>(c.selectionStart);
    const auto length = static_cast<std::size_t>(c.selectionLength);
    std::string inserted;
    if (key == 'C' || key == 'X') {
        if (length == 0) return;
        clip.setText(std::string_view(c.text).substr(start, length));
        if (key == 'C') return;
        c.text.replace(start, length, "");
    } else {
        if (!clip.hasText()) return;
        inserted = clip.text();
        c.text.replace(start, length, inserted);
        const std::size_t limit = textLimit(c);
        if (c.text.size() > limit) c.text.replace(limit, c.text.size(), "");
        c.selectionStart = static_cast<int>(std::min(start + inserted.size(), limit));
    }
    c.selectionLength = 0;
    capLines(c);
    if (c.kind == CtrlKind::TextBox) // no length limit: the edit is exactly this
        fe()->textEdited(panelHandle, c.id, static_cast<int>(start), static_cast<int>(length),
                         inserted);
    else
        notifyControl(panelHandle, c.id, Change::Value);
    notifyControl(panelHandle, c.id, Change::Selection);
    raise(panelHandle, c.id, EVENT_VAL_CHANGED);
}

} // namespace

int MessagePopup(const char* title, const char* message) {
    if (!fe()) return UIE_NOT_INITIALIZED;
    if (SayOnStandardError(orEmpty(title), orEmpty(message))) return 0;
    fe()->popups().message(orEmpty(title), orEmpty(message));
    return 0;
}

int ConfirmPopup(const char* title, const char* message) {
    return ConfirmPopup(title, message, 1);
}

int ConfirmPopup(const char* title, const char* message, int defaultAnswer) {
    if (!fe()) return UIE_NOT_INITIALIZED;
    if (SayOnStandardError(orEmpty(title), orEmpty(message))) return 0; // No
    return fe()->popups().confirm(orEmpty(title), orEmpty(message), defaultAnswer != 0) ? 1 : 0;
}

int SetWaitCursor(int state) {
    const bool busy = state != 0;
    if (rt().waitCursor == busy) return 0;
    rt().waitCursor = busy;
    if (fe()) fe()->waitCursorChanged(busy);
    return 0;
}

int GetWaitCursor() {
    return rt().waitCursor ? 1 : 0;
}

int GetRelativeMouseState(int panelHandle, int controlId, int* x, int* y, int* leftButton,
                          int* rightButton, int* keyModifiers) {
    int err = 0;
    if (!control(panelHandle, controlId, &err)) return err;
    if (!fe()) return UIE_NOT_INITIALIZED;
    const MouseState m = fe()->pointer().mouse(panelHandle, controlId);
    if (x) *x = m.x;
    if (y) *y = m.y;
    if (leftButton) *leftButton = m.left;
    if (rightButton) *rightButton = m.right;
    if (keyModifiers) *keyModifiers = m.modifiers;
    return 0;
}

int FakeKeystroke(int keyCode) {
    if (!fe()) return UIE_NOT_INITIALIZED;
    const int panelHandle = rt().activePanel;
    const PanelState* p = panel(panelHandle);
    if (!p) return 0;
    ControlState* c = control(panelHandle, p->activeCtrl);
    if (!c || c->dimmed || !c->visible) return 0;
    if (c->kind != CtrlKind::String && c->kind != CtrlKind::TextBox) return 0;
    switch (keyCode) {
    case VAL_MENUKEY_MODIFIER | 'C':
        editText(panelHandle, *c, 'C');
        break;
    case VAL_MENUKEY_MODIFIER | 'X':
        editText(panelHandle, *c, 'X');
        break;
    case VAL_MENUKEY_MODIFIER | 'V':
        editText(panelHandle, *c, 'V');
        break;
    default:
        break;
    }
    return 0;
}

int ClipboardHasText(int* available) {
    if (!available) return UIE_NULL_POINTER;
    if (!fe()) return UIE_NOT_INITIALIZED;
    *available = fe()->clipboard().hasText() ? 1 : 0;
    return 0;
}

int SetPrintAttribute(int attribute, int value) {
    switch (attribute) {
    case ATTR_PRINT_LINE_WIDTH:
        if (value != VAL_USE_PAGE_WIDTH && value <= 0) return UIE_BAD_VALUE;
        rt().print.lineWidth = value;
        return 0;
    case ATTR_PRINT_WRAP_LINES:
        rt().print.wrapLines = value != 0;
        return 0;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

int PrintTextBuffer(const char* buffer, const char* outputFile) {
    if (!buffer) return UIE_NULL_POINTER;
    if (outputFile && *outputFile) {
        std::ofstream out(outputFile, std::ios::binary | std::ios::trunc);
        out << buffer;
        return out.good() ? 0 : UIE_PRINT_FAILED;
    }
    if (!fe()) return UIE_NOT_INITIALIZED;
    return fe()->printer().printText(buffer, rt().print);
}

int FileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                    const char* fileTypeFilter, const char* title, int forSaving, char* pathName,
                    int pathNameSize) {
    if (!pathName) return UIE_NULL_POINTER;
    if (pathNameSize <= 0) return UIE_BUFFER_TOO_SMALL;
    pathName[0] = '\0';
    if (!fe()) return UIE_NOT_INITIALIZED;
    if (QuitSignal() != 0) return VAL_NO_FILE_SELECTED; // nobody is there to choose
    const std::string path =
        fe()->popups().selectFile({.directory = std::string(orEmpty(defaultDirectory)),
                                   .fileName = std::string(orEmpty(defaultFileName)),
                                   .filter = std::string(orEmpty(fileTypeFilter)),
                                   .title = std::string(orEmpty(title)),
                                   .forSaving = forSaving != 0});
    if (path.empty()) return VAL_NO_FILE_SELECTED;
    if (path.size() >= static_cast<std::size_t>(pathNameSize)) return UIE_BUFFER_TOO_SMALL;
    copyText(path, pathName, static_cast<std::size_t>(pathNameSize));
    std::error_code error;
    return std::filesystem::exists(path, error) ? VAL_EXISTING_FILE_SELECTED
                                                : VAL_NEW_FILE_SELECTED;
}

int ShowHelpWindow(const char* path) {
    if (!path || !fe()) return 0;
    return fe()->help().show(path);
}
