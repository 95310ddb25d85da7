// Panel resources of "KestrelUIR.uir": main panel, menu bar and setup panel, one row per control.
#include "core/IoMode.h"
#include "ui/KestrelUIR.h"
#include "ui/ResourceRows.h"

namespace {

using namespace rows;

constexpr int U8 = VAL_UNSIGNED_CHAR, I32 = VAL_INTEGER, U32 = VAL_UNSIGNED_INTEGER;

// clang-format off
// Rows: kind(constant, {top, left, width, height}, label, callback, the kind's data).
const ControlRes kMainControls[] = {
    TextBox(ID(MAINPANEL_INFOTEXTBOX), {  8,   8, 700, 572}, "InfoTextBoxCB", "Courier New"),
    Button(ID(MAINPANEL_QUITBTN),      {589, 616,  92,  30}, "__Exit", "ExitAppCB"),
};

const MenuEntryRes kMenuBar[] = {
    Menu(ID(MENUBAR_FILEMENU),                "__File"),
    Dimmed(Item(ID(MENUBAR_FILEMENU_OPENF),   "__Open", "")),
    Separator(ID(MENUBAR_FILEMENU_SEPARATOR_4)),
    Dimmed(Item(ID(MENUBAR_FILEMENU_SAVE),    "__Save", "")),
    Dimmed(Item(ID(MENUBAR_FILEMENU_SAVEAS),  "Save __as", "")),
    Separator(ID(MENUBAR_FILEMENU_SEPARATOR_5)),
    Dimmed(Item(ID(MENUBAR_FILEMENU_PRINT),   "__Print", "PrintCB")),
    Separator(ID(MENUBAR_FILEMENU_SEPARATOR_6)),
    Item(ID(MENUBAR_FILEMENU_EXIT),           "E__xit", "ExitCB"),
    Menu(ID(MENUBAR_EDIT),                    "__Edit"),
    Dimmed(Item(ID(MENUBAR_EDIT_PASTE),       "Pa__ste", "EditCB")),
    Dimmed(Item(ID(MENUBAR_EDIT_CUT),         "__Cut", "EditCB")),
    Dimmed(Item(ID(MENUBAR_EDIT_COPY),        "Co__py", "EditCB")),
    Separator(ID(MENUBAR_EDIT_SEPARATOR_7)),
    Dimmed(Item(ID(MENUBAR_EDIT_SELALL),      "__Select all", "EditCB")),
    Menu(ID(MENUBAR_TESTMENU),                "__Test"),
    Dimmed(Item(ID(MENUBAR_TESTMENU_SHOWDLG), "__Show window", "ShowSetupDlg")),
    Separator(ID(MENUBAR_TESTMENU_SEPARATOR)),
    Dimmed(Item(ID(MENUBAR_TESTMENU_ERASE),   "__Erase EEPROM", "EraseCB")),
    Dimmed(Item(ID(MENUBAR_TESTMENU_PROGRAM), "(Re)__Program EEPROM", "ProgramMenuCB")),
    Separator(ID(MENUBAR_TESTMENU_SEPARATOR_2)),
    Item(ID(MENUBAR_TESTMENU_MONITOR),        "__Monitor...", "ShowMonitorCB"),
    Menu(ID(MENUBAR_HELPMENU),                "__Help"),
    Item(ID(MENUBAR_HELPMENU_HLP_CNTNT),      "__Contents", "HelpContents", "F1"),
    Item(ID(MENUBAR_HELPMENU_CORVOUSB),       "__CorvoUsb help", "HelpCorvoUsb"),
    Separator(ID(MENUBAR_HELPMENU_SEPARATOR_3)),
    Item(ID(MENUBAR_HELPMENU_ABOUT),          "__About", "AboutCB"),
};
// clang-format on

const uirt::MenuBarRes kMainMenuBar = {.constName = "MENUBAR", .entries = kMenuBar};

const ItemRes kIoModes[] = {{"<Read>", IOMODE_READ, true},
                            {"<Write>", IOMODE_WRITE},
                            {"<Wr/Rd byte>", IOMODE_WRRD_BYTE},
                            {"<Wr/Rd burst>", IOMODE_WRRD_BURST},
                            {"Extended read", IOMODE_EXTENDED_READ}};
const ItemRes kDataTypes[] = {{"Incremental array", 0, true}, {"Hexa Pattern 32 bits", 1}};
const ItemRes kDataSizes[] = {{"8 bits", 0, true}, {"16 bits", 1}, {"32 bits", 2}};
const ItemRes kByteOrders[] = {{"LSB first", 0, true}, {"MSB first", 1}};
const ItemRes kLoopTimes[] = {{"2 ms", 2},     {"5 ms", 5},     {"10 ms", 10},
                              {"20 ms", 20},   {"50 ms", 50},   {"100 ms", 100},
                              {"200 ms", 200}, {"500 ms", 500}, {"1 s", 1000}};
const ItemRes kPatterns[] = {
    {"00000000", 0x00000000}, {"FFFFFFFF", 0xFFFFFFFF}, {"0000FFFF", 0x0000FFFF},
    {"FFFF0000", 0xFFFF0000}, {"00FF00FF", 0x00FF00FF}, {"FF00FF00", 0xFF00FF00},
    {"AAAAAAAA", 0xAAAAAAAA}, {"55555555", 0x55555555}, {"55AA55AA", 0x55AA55AA},
    {"AA55AA55", 0xAA55AA55}, {"AAAA5555", 0xAAAA5555}, {"5555AAAA", 0x5555AAAA},
    {"00550055", 0x00550055}, {"00AA00AA", 0x00AA00AA}};
const ItemRes kPrbsOrders[] = {{"PRBS-7", 7}, {"PRBS-15", 15}, {"PRBS-23", 23}, {"PRBS-31", 31}};

// clang-format off
// Two columns of captioned groups. Each group is a decoration (the frame) with a text message
// (the caption) on its top edge; labels of fields sit above them.
const ControlRes kSetupControls[] = {
    Button(ID(SETUPPANEL_CMDREFRESH),           {124, 344, 140,  26}, "__Scan USB bus", "CmdRefreshCB"),
    Button(ID(SETUPPANEL_APPLYBTN),             {124,  20, 136,  26}, "__Apply", "IOCallback"),
    Tree(ID(SETUPPANEL_IOMODE),                 {190,  18, 130,  80}, "IOModeCB", kIoModes),
    Hex(Numeric(ID(SETUPPANEL_SUBADDRESS),      { 44,  20, 136,  22}, "Sub-address (Hex)", "IOCallback", U8, 0, 0, 126)),
    Hex(Numeric(ID(SETUPPANEL_DATA),            { 44, 176, 136,  22}, "Data (Hex)", "IOCallback", U32, 0, 0, 4294967295.0)),
    Numeric(ID(SETUPPANEL_INCREMENT),           { 90,  20, 136,  22}, "Increment (dec)", "IOCallback", U32, 1, 0, 256),
    Numeric(ID(SETUPPANEL_WORDCOUNT),           { 90, 176, 136,  22}, "Word count (dec)", "IOCallback", U32, 1, 1, 65536),
    Tree(ID(SETUPPANEL_DATATYPERADIO),          {336,  18, 200,  32}, "DataTypeCB", kDataTypes),
    Tree(ID(SETUPPANEL_DATASZRADIO),            {186, 176, 136,  48}, "DataSizeCB", kDataSizes),
    Numeric(ID(SETUPPANEL_DEV_INDEX),           { 92, 344,  64,  22}, "Index", "", I32, 0, 0, 8),
    Tree(ID(SETUPPANEL_BYTEORDERRADIO),         {264, 176, 136,  32}, "ByteOrderCB", kByteOrders),
    CheckBox(ID(SETUPPANEL_LOOPCHECKBOX),       {420,  20,  64,  20}, "Loop", "LoopChkCB"),
    Ring(ID(SETUPPANEL_LOOPRING),               {420, 176, 136,  22}, "Loop time", "LoopTimeCB", U32, 2, kLoopTimes),
    CheckBox(ID(SETUPPANEL_SHORTPRINT),         {454,  86, 108,  20}, "Short display", "ShortPrintChkCB"),
    CheckBox(ID(SETUPPANEL_PRINTCHK),           {454,  20,  60,  20}, "Print", "PrintChkCB"),
    CheckBox(ID(SETUPPANEL_EEPROMCHK),          {454, 198, 120,  20}, "Show EEPROM", "EEpromChkCB"),
    Switch(ID(SETUPPANEL_BINARYSWITCH),         {454, 508, 128,  24}, "CorvoFormatCB", "Corvo", "None", 1),
    Button(ID(SETUPPANEL_RESETBTN),             {190, 344, 180,  26}, "__Connect and initialize", "ResetCB"),
    String(ID(SETUPPANEL_SERNUMTXT),            { 92, 420, 120,  22}, "Serial number", "SerNumCB", 9),
    Button(ID(SETUPPANEL_PROGRAMBTN),           {234, 344, 180,  26}, "__Customize/Program...", "ProgramWizCB"),
    Button(ID(SETUPPANEL_RDEEPROMBTN),          {268, 344, 180,  26}, "__Read EEPROM content", "ReadEEpromCB"),
    Numeric(ID(SETUPPANEL_LATTIMER),            {348, 344, 132,  22}, "Latency timer (ms)", "LatTimerCB", U8, 2, 0, 255),
    Numeric(ID(SETUPPANEL_WRTIMEOUT),           {398, 344, 132,  22}, "Write timeout (ms)", "TxTimeoutCB", I32, 1, 1, 10000),
    Numeric(ID(SETUPPANEL_RDTIMEOUT),           {448, 344, 132,  22}, "Read timeout (ms)", "RxTimeoutCB", I32, 1, 1, 10000),
    Numeric(ID(SETUPPANEL_TXBUFSZ),             {348, 508, 128,  22}, "Transmit", "TxBufferSizeCB", I32, 2048, 512, 65536),
    Numeric(ID(SETUPPANEL_RXBUFSZ),             {390, 508, 128,  22}, "Receive", "RxBufferSizeCB", I32, 8192, 1024, 65536),
    Button(ID(SETUPPANEL_CLOSEBTN),             {506, 556,  92,  28}, "__Close", "CloseSetupCB"),
    Decoration(ID(SETUPPANEL_DECORATION),       { 14,   8, 316, 146}),
    Decoration(ID(SETUPPANEL_DECORATION_2),     { 14, 332, 316, 146}),
    TextMessage(ID(SETUPPANEL_TEXTMSG),         {  6,  18,  90,  16}, "Input/Output"),
    Splitter(ID(SETUPPANEL_SPLITTER),           {496,   8, 640,   2}),
    Dimmed(Ring(ID(SETUPPANEL_PATTERNRING),     {126, 176, 136,  22}, "", "PatternCB", U32, 0, kPatterns)),
    Decoration(ID(SETUPPANEL_DECORATION_4),     {176, 166, 158,  70}),
    Decoration(ID(SETUPPANEL_DECORATION_5),     {392,   8, 316,  94}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_3),       {384,  18,  60,  16}, "Options"),
    Decoration(ID(SETUPPANEL_DECORATION_6),     {176,   8, 150, 130}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_7),       {168,  18,  60,  16}, "IO mode"),
    TextMessage(ID(SETUPPANEL_TEXTMSG_8),       {168, 176,  70,  16}, "Data size"),
    Splitter(ID(SETUPPANEL_SPLITTER_3),         {224, 344, 292,   2}),
    Splitter(ID(SETUPPANEL_SPLITTER_2),         { 14, 327,   2, 472}),
    Decoration(ID(SETUPPANEL_DECORATION_8),     {322, 332, 156, 164}),
    Decoration(ID(SETUPPANEL_DECORATION_9),     {322, 496, 152, 100}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_5),       {314, 342, 120,  16}, "Timing parameters"),
    TextMessage(ID(SETUPPANEL_TEXTMSG_6),       {314, 506,  80,  16}, "Buffer size"),
    Picture(ID(SETUPPANEL_PICTURE),             {504,   8,  32,  32}),
    Timer(ID(SETUPPANEL_TIMER),                 "Timer", "TimerCB", 0.01),
    TextMessage(ID(SETUPPANEL_TEXTMSG_9),       {248, 176,  76,  16}, "Byte order"),
    Led(ID(SETUPPANEL_LED_2),                   {422,  90,  16,  16}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_2),       {314,  18,  70,  16}, "Data type"),
    Decoration(ID(SETUPPANEL_DECORATION_3),     {322,   8, 316,  58}),
    Ring(ID(SETUPPANEL_LSTDEVICES),             { 44, 344, 292,  22}, "Device description", "UsbDevListCB", I32, 0),
    Led(ID(SETUPPANEL_LED),                     { 95, 552,  16,  16}, "Connected"),
    TextMessage(ID(SETUPPANEL_TEXTMSG_10),      {426, 506,  90,  16}, "Encapsulation"),
    Button(ID(SETUPPANEL_DISCONNECT),           {190, 536, 100,  26}, "  __Disconnect  ", "DisconnectCB"),
    Decoration(ID(SETUPPANEL_DECORATION_10),    {434, 496, 152,  52}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_4),       {168, 342,  90,  16}, "Device Setup"),
    TextMessage(ID(SETUPPANEL_TEXTMSG_11),      {  6, 342, 100,  16}, "Selected device"),
    Decoration(ID(SETUPPANEL_DECORATION_11),    {176, 332, 316, 130}),
    Decoration(ID(SETUPPANEL_DECORATION_7),     {256, 166, 158,  50}),
    CheckBox(ID(SETUPPANEL_ASYNC_CHK),          {238, 540,  90,  20}, "Async", "AsyncCB", 1),
    // Maintenance buttons, shown only when Kestrel is started for maintenance.
    Hidden(Button(ID(SETUPPANEL_SPEED_BTN),     {506,  48,  96,  28}, "__Speed test", "SpeedTestButton")),
    Hidden(Button(ID(SETUPPANEL_SIMUL_BTN),     {506, 148,  96,  28}, "__Simulation", "SimulCB")),
    Hidden(Button(ID(SETUPPANEL_COMMANDBUTTON), {506, 248,  96,  28}, "__Seachr AAFFFF", "AAFFButtonCB")),
    Hidden(Button(ID(SETUPPANEL_PURGEFIFOBTN),  {506, 348,  96,  28}, "__Purge fifo", "PurgeUsbBufferCB")),
    Hidden(Button(ID(SETUPPANEL_FIFOSTATBTN),   {506, 448,  96,  28}, "__Fifo status", "GetFifoStatusCB")),
    // The "Data check" group, a third column.
    Decoration(ID(SETUPPANEL_DECORATION_12),    { 14, 660, 176, 146}),
    TextMessage(ID(SETUPPANEL_TEXTMSG_12),      {  6, 670,  80,  16}, "Data check"),
    CheckBox(ID(SETUPPANEL_VERIFYCHK),          { 32, 672,  80,  20}, "Verify", "VerifyChkCB"),
    CheckBox(ID(SETUPPANEL_PRBSCHK),            { 58, 672, 160,  20}, "Pseudo-random data", "PrbsDataChkCB"),
    Ring(ID(SETUPPANEL_PRBSRING),               {106, 672, 136,  22}, "Sequence", "PrbsOrderCB", I32, 31, kPrbsOrders),
    // Hot-plugging, below it.
    CheckBox(ID(SETUPPANEL_RECONNECTCHK),       {172, 664, 176,  20}, "Reconnect automatically", "ReconnectChkCB", 1),
};
// clang-format on

const uirt::PanelRes kMainPanel = {.constName = "MAINPANEL",
                                   .title = "Kestrel 2.0",
                                   .height = 627,
                                   .width = 716,
                                   .controls = kMainControls,
                                   .menuBar = &kMainMenuBar,
                                   .closeCtrl = MAINPANEL_QUITBTN};

const uirt::PanelRes kSetupPanel = {.constName = "SETUPPANEL",
                                    .title = "Tests and configuration",
                                    .height = 544,
                                    .width = 848,
                                    .controls = kSetupControls,
                                    .closeCtrl = SETUPPANEL_CLOSEBTN};

} // namespace

void RegisterKestrelUIRPanels() {
    uirt::RegisterPanelResource("KestrelUIR.uir", MAINPANEL, kMainPanel);
    uirt::RegisterPanelResource("KestrelUIR.uir", SETUPPANEL, kSetupPanel);
}
