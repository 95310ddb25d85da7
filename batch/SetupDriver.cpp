// The setup panel driven through the run-time's input, as the user drives it.
#include "batch/SetupDriver.h"

#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

namespace batch {

namespace hl = uirt::headless;

namespace {

int Setup() {
    return GetSetupPanelHandle();
}

int RingIndexOf(int control, double value) {
    const uirt::ControlState* c = uirt::FindControl(Setup(), control);
    if (c == nullptr) return -1;
    for (std::size_t i = 0; i < c->items.size(); ++i)
        if (c->items[i].value == value) return static_cast<int>(i);
    return -1;
}

std::string Offered(int control) {
    std::string list;
    for (const std::string& label : hl::ListLabels(Setup(), control))
        list += (list.empty() ? "" : ", ") + label;
    return list;
}

} // namespace

std::optional<PlanError> CheckRingValues(const Plan& plan) {
    for (const Step& step : plan.steps) {
        if (step.kind != StepKind::Transfer && step.kind != StepKind::Loop) continue;
        if (step.transfer.dataSource == 1 &&
            RingIndexOf(SETUPPANEL_PATTERNRING, step.transfer.pattern) < 0)
            return PlanError{plan.file, step.patternAt.line, step.patternAt.column,
                             step.name + ": pattern: expected one of 0x" +
                                 Offered(SETUPPANEL_PATTERNRING)};
        if (step.kind == StepKind::Loop && RingIndexOf(SETUPPANEL_LOOPRING, step.periodMs) < 0)
            return PlanError{plan.file, step.periodAt.line, step.periodAt.column,
                             step.name + ": period: expected one of (ms) " +
                                 Offered(SETUPPANEL_LOOPRING)};
    }
    return std::nullopt;
}

void EnterLinkSettings(const LinkSettings& link) {
    const int s = Setup();
    const std::pair<const std::optional<int>&, int> numbers[] = {
        {link.latencyMs, SETUPPANEL_LATTIMER},
        {link.writeTimeoutMs, SETUPPANEL_WRTIMEOUT},
        {link.readTimeoutMs, SETUPPANEL_RDTIMEOUT},
        {link.transmitSize, SETUPPANEL_TXBUFSZ},
        {link.receiveSize, SETUPPANEL_RXBUFSZ}};
    for (const auto& [value, control] : numbers)
        if (value) hl::EnterValue(s, control, *value);
    if (link.synchronous) hl::Toggle(s, SETUPPANEL_ASYNC_CHK, *link.synchronous ? 0 : 1);
    if (link.framed) hl::Toggle(s, SETUPPANEL_BINARYSWITCH, *link.framed ? 1 : 0);
}

LinkSettings ShownLinkSettings() {
    const int s = Setup();
    auto value = [s](int control) { return static_cast<int>(hl::Value(s, control)); };
    return {.latencyMs = value(SETUPPANEL_LATTIMER),
            .writeTimeoutMs = value(SETUPPANEL_WRTIMEOUT),
            .readTimeoutMs = value(SETUPPANEL_RDTIMEOUT),
            .transmitSize = value(SETUPPANEL_TXBUFSZ),
            .receiveSize = value(SETUPPANEL_RXBUFSZ),
            .synchronous = value(SETUPPANEL_ASYNC_CHK) == 0,
            .framed = value(SETUPPANEL_BINARYSWITCH) != 0};
}

void EnterTransferSettings(const TransferSettings& t) {
    const int s = Setup();
    hl::MarkOption(s, SETUPPANEL_IOMODE, t.ioMode);
    hl::MarkOption(s, SETUPPANEL_BYTEORDERRADIO, t.msbFirst ? 1 : 0);
    // The data size and the fields take input only with the incremental data type.
    hl::MarkOption(s, SETUPPANEL_DATATYPERADIO, 0);
    hl::MarkOption(s, SETUPPANEL_DATASZRADIO, t.wordSize);
    hl::EnterValue(s, SETUPPANEL_SUBADDRESS, t.subAddress);
    hl::EnterValue(s, SETUPPANEL_INCREMENT, t.increment);
    hl::EnterValue(s, SETUPPANEL_WORDCOUNT, t.wordCount);
    hl::EnterValue(s, SETUPPANEL_DATA, t.start);
    if (t.dataSource == 1) {
        hl::MarkOption(s, SETUPPANEL_DATATYPERADIO, 1);
        hl::ChooseRingItem(s, SETUPPANEL_PATTERNRING,
                           RingIndexOf(SETUPPANEL_PATTERNRING, t.pattern));
    }
    hl::Toggle(s, SETUPPANEL_PRBSCHK, t.dataSource == 2 ? 1 : 0);
    if (t.dataSource == 2)
        hl::ChooseRingItem(s, SETUPPANEL_PRBSRING, RingIndexOf(SETUPPANEL_PRBSRING, t.prbsOrder));
    hl::Toggle(s, SETUPPANEL_VERIFYCHK, t.verify ? 1 : 0);
    hl::Toggle(s, SETUPPANEL_PRINTCHK, t.print ? 1 : 0);
}

void PressApply() {
    hl::Press(Setup(), SETUPPANEL_APPLYBTN);
}

void SetLoop(bool on, int periodMs) {
    if (on)
        hl::ChooseRingItem(Setup(), SETUPPANEL_LOOPRING,
                           RingIndexOf(SETUPPANEL_LOOPRING, periodMs));
    hl::Toggle(Setup(), SETUPPANEL_LOOPCHECKBOX, on ? 1 : 0);
}

bool TickLoop() {
    return hl::TimerTick(Setup(), SETUPPANEL_TIMER) == 0;
}

void ReadEepromShown() {
    hl::Toggle(Setup(), SETUPPANEL_EEPROMCHK, 1);
    hl::Press(Setup(), SETUPPANEL_RDEEPROMBTN);
}

std::string TakeInfoText() {
    const int main = GetMainPanelHandle();
    std::string text = hl::Text(main, MAINPANEL_INFOTEXTBOX);
    ResetTextBox(main, MAINPANEL_INFOTEXTBOX, "");
    return text;
}

std::vector<std::string> LibraryErrorTexts() {
    std::vector<std::string> texts;
    for (const hl::Popup& p : hl::Popups())
        if (p.title == "USB Error") texts.push_back(p.text);
    return texts;
}

} // namespace batch
