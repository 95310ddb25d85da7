// The setup panel's transfer controls: the four fields, "Apply", the option radio groups, the
// pattern ring and the print check boxes, acted on as the user.
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
#include "engine/Dispatch.h"
#include "engine/LoopMode.h"
#include "ui/Radio.h"
#include "usb/UsbLink.h"

namespace {

// The data settings and their controls: "start X inc I pattern P shows T dimmed DISR", with the
// dimming of the data, increment, word size and pattern controls.
std::string Fields() {
    const int setup = GetSetupPanelHandle();
    char text[96];
    std::snprintf(text, sizeof text, "start %X inc %d pattern %d shows %s dimmed ", GetStartVal(),
                  GetIncrement(), GetPatternMode(), hl::Text(setup, SETUPPANEL_DATA).c_str());
    std::string out = text;
    for (int control :
         {SETUPPANEL_DATA, SETUPPANEL_INCREMENT, SETUPPANEL_DATASZRADIO, SETUPPANEL_PATTERNRING})
        out += hl::IsDimmed(setup, control) ? "1" : "0";
    return out;
}

} // namespace

// Fails when a field's change does not store all four fields, the data field is not shown cut
// to the word size (while the settings keep every bit), "Apply" does not take the focus, the
// option radio groups are not stored, or "Print" does not store its state or dim "Short
// display", or touches the short display setting; or when pattern mode does not take the ring's
// pattern as the start value with increment 0, leaves the data, increment or size controls
// usable, lets a later field change cut the pattern, sends other than 32-bit words, or going
// back does not set increment 1 and show the masked value; or when "Apply" does not light the
// activity lamp for the transfer and darken it after, or ignores the frame-format switch.
TEST_F(EngineSession, TransferFieldsOptionsAndPatternMode) {
    RunStep([this] {
        const int setup = SetupHandle();
        hl::EnterValue(setup, SETUPPANEL_SUBADDRESS, 126);
        hl::EnterValue(setup, SETUPPANEL_INCREMENT, 7);
        hl::EnterValue(setup, SETUPPANEL_DATA, 0x1234);
        EXPECT_EQ(Fields(), "start 1234 inc 7 pattern 0 shows 34 dimmed 0001");
        EXPECT_EQ(hl::ActiveCtrl(setup), SETUPPANEL_APPLYBTN);
        hl::EnterValue(setup, SETUPPANEL_WORDCOUNT, 300);
        EXPECT_EQ(std::tuple(GetStartVal(), GetWordCount(), GetSubAddress()),
                  std::tuple(0x34, 300, 126));

        hl::MarkOption(setup, SETUPPANEL_DATASZRADIO, 2);
        hl::EnterValue(setup, SETUPPANEL_DATA, 0x55AA55AA);
        for (auto [size, digits, shown] :
             {std::tuple(2, 8, "55AA55AA"), {1, 4, "55AA"}, {0, 2, "AA"}}) {
            hl::MarkOption(setup, SETUPPANEL_DATASZRADIO, size);
            int minDigits = 0;
            GetCtrlAttribute(setup, SETUPPANEL_DATA, ATTR_MIN_DIGITS, &minDigits);
            EXPECT_EQ(std::tuple(GetWordSize(), minDigits, hl::Text(setup, SETUPPANEL_DATA),
                                 GetStartVal()),
                      std::tuple(size, digits, shown, 0x55AA55AA));
        }
        hl::MarkOption(setup, SETUPPANEL_BYTEORDERRADIO, 1);
        hl::MarkOption(setup, SETUPPANEL_IOMODE, IOMODE_WRRD_BURST);
        EXPECT_EQ(std::tuple(IsMSBFirst(), GetIOMode()), std::tuple(1, IOMODE_WRRD_BURST));

        hl::Toggle(setup, SETUPPANEL_PRINTCHK, 1);
        hl::Toggle(setup, SETUPPANEL_SHORTPRINT, 1);
        for (int print : {0, 1}) {
            hl::Toggle(setup, SETUPPANEL_PRINTCHK, print);
            EXPECT_EQ(std::tuple(GetPrintState(), hl::IsDimmed(setup, SETUPPANEL_SHORTPRINT),
                                 GetShortPrint(), hl::Value(setup, SETUPPANEL_SHORTPRINT)),
                      std::tuple(print, !print, 1, 1.0));
        }
        hl::Toggle(setup, SETUPPANEL_SHORTPRINT, 0);
        EXPECT_EQ(GetShortPrint(), 0);

        SetCtrlVal(setup, SETUPPANEL_PATTERNRING, 0x55AA55AAu);
        hl::MarkOption(setup, SETUPPANEL_DATATYPERADIO, 1);
        EXPECT_EQ(Fields(), "start 55AA55AA inc 0 pattern 1 shows 55AA55AA dimmed 1110");
        hl::ChooseRingItem(setup, SETUPPANEL_PATTERNRING, 5);
        EXPECT_EQ(Fields(), "start FF00FF00 inc 0 pattern 1 shows FF00FF00 dimmed 1110");
        hl::EnterValue(setup, SETUPPANEL_WORDCOUNT, 3);
        EXPECT_EQ(std::tuple(GetStartVal(), hl::Text(setup, SETUPPANEL_DATA)),
                  std::tuple(static_cast<int>(0xFF00FF00), "FF00FF00"));
        hl::MarkOption(setup, SETUPPANEL_IOMODE, IOMODE_READ);
        MarkCalls();
        hl::Press(setup, SETUPPANEL_APPLYBTN);
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRd(1, 126, data, 12)"});

        hl::MarkOption(setup, SETUPPANEL_DATATYPERADIO, 0);
        EXPECT_EQ(Fields() + hl::Text(setup, SETUPPANEL_INCREMENT),
                  "start FF00FF00 inc 1 pattern 0 shows 00 dimmed 00011");

        // "Apply" lights the activity lamp for the transfer, darkens it after, with or without
        // an error, and follows the frame-format switch.
        ObserveErrorReports();
        bus::FailNextCall("UsbRd", CORVOUSB_ERR_IO);
        hl::Press(setup, SETUPPANEL_APPLYBTN);
        const double lampAfterError = hl::Value(setup, SETUPPANEL_LED_2);
        hl::Toggle(setup, SETUPPANEL_BINARYSWITCH, 0);
        MarkCalls();
        hl::Press(setup, SETUPPANEL_APPLYBTN);
        hl::Toggle(setup, SETUPPANEL_BINARYSWITCH, 1); // the format outlives the session
        EXPECT_EQ(std::tuple(Seen(), Calls(), lampAfterError, hl::Value(setup, SETUPPANEL_LED_2)),
                  std::tuple(std::vector<std::string>{"wordCount=3 led=1"},
                             std::vector<std::string>{"USB_Read(1, data, 3, out)"}, 0.0, 0.0));
    });
}
