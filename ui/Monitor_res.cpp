// Panel resource of "Monitor.uir": the run monitor's window, one row per control.
#include "ui/Monitor.h"
#include "ui/ResourceRows.h"

namespace {

using namespace rows;

constexpr int I32 = VAL_INTEGER;

// The chart window in seconds.
const ItemRes kWindows[] = {{"1 minute", 60}, {"10 minutes", 600}, {"60 minutes", 3600}};

// clang-format off
// Charts on the left, the figures and the soak limits on the right, the event log below.
const ControlRes kMonitorControls[] = {
    StripChart(ID(MONITORPANEL_RATECHART),       { 24,   8, 620, 190}, "Read rate (MB/s)", 1, 0, 50),
    StripChart(ID(MONITORPANEL_ERRORCHART),      {238,   8, 620, 190}, "Errors per second", 3, 0, 10),
    Ring(ID(MONITORPANEL_WINDOWRING),            { 24, 648, 180,  22}, "Chart window", "MonitorWindowCB", I32, 60, kWindows),
    TextMessage(ID(MONITORPANEL_ELAPSED),        { 62, 648, 240,  18}, "Elapsed: -"),
    TextMessage(ID(MONITORPANEL_TOTALBYTES),     { 84, 648, 240,  18}, "Total: -"),
    TextMessage(ID(MONITORPANEL_MEANRATE),       {106, 648, 240,  18}, "Mean rate: -"),
    TextMessage(ID(MONITORPANEL_MINRATE),        {128, 648, 240,  18}, "Minimum rate: -"),
    TextMessage(ID(MONITORPANEL_MAXRATE),        {150, 648, 240,  18}, "Maximum rate: -"),
    TextMessage(ID(MONITORPANEL_ERRORS),         {172, 648, 240,  18}, "Errors: -"),
    TextMessage(ID(MONITORPANEL_SINCEERROR),     {194, 648, 240,  18}, "Last error: -"),
    TextMessage(ID(MONITORPANEL_LOGCAPTION),     {446,   8, 120,  16}, "Event log"),
    TextBox(ID(MONITORPANEL_EVENTLOG),           {464,   8, 884, 150}, "", "Courier New"),
    Numeric(ID(MONITORPANEL_STOPMINUTES),        {276, 660, 120,  22}, "Stop after (minutes)", "StopAfterCB", I32, 0, 0, 100000),
    Numeric(ID(MONITORPANEL_STOPERRORS),         {326, 660, 120,  22}, "Stop after errors", "StopAfterCB", I32, 0, 0, 2147483647),
    CheckBox(ID(MONITORPANEL_OPENATSTART),       {400, 648, 220,  20}, "Open when a loop starts", "OpenAtLoopStartCB"),
    Button(ID(MONITORPANEL_SAVEBTN),             {624,   8, 140,  28}, "__Save history...", "SaveHistoryCB"),
    Button(ID(MONITORPANEL_CLOSEBTN),            {624, 800,  92,  28}, "__Close", "CloseMonitorCB"),
    Decoration(ID(MONITORPANEL_SOAKFRAME),       {244, 648, 240, 140}),
    TextMessage(ID(MONITORPANEL_SOAKCAPTION),    {236, 658, 120,  16}, "Soak limits"),
};
// clang-format on

const uirt::PanelRes kMonitorPanel = {.constName = "MONITORPANEL",
                                      .title = "Monitor",
                                      .height = 664,
                                      .width = 900,
                                      .controls = kMonitorControls,
                                      .closeCtrl = MONITORPANEL_CLOSEBTN};

} // namespace

void RegisterMonitorPanels() {
    uirt::RegisterPanelResource("Monitor.uir", MONITORPANEL, kMonitorPanel);
}
