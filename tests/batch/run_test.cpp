// `kestrel run` and `kestrel list` on the simulated bus: fails when an exit status, a step line,
// a report or the text a step prints departs from what the run did.
#include "app/BatchCommand.h"
#include "batch/Runner.h"
#include "platform/uirt/model/quitsignal.h"
#include "tests/support/CaptureOutput.h"
#include "tests/support/KestrelSession.h"

#include <QString>
#include <QXmlStreamReader>
#include <csignal>
#include <nlohmann/json.hpp>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

class BatchRun : public KestrelSession {
  protected:
    Outcome Kestrel(std::vector<std::string> args, batch::RunObserver* also = nullptr) {
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        Outcome o{};
        o.err = CaptureOutput(STDERR_FILENO, [&] {
            o.out = CaptureOutput(STDOUT_FILENO, [&] {
                o.status = RunBatchCommand(static_cast<int>(argv.size()), argv.data(), also);
            });
        });
        return o;
    }
    Outcome RunPlan(const std::string& plan, std::vector<std::string> more = {},
                    batch::RunObserver* also = nullptr) {
        WriteFile("plan.toml", plan);
        std::vector<std::string> args{"run", "plan.toml", "--json", "r.json", "--junit", "r.xml"};
        args.insert(args.end(), more.begin(), more.end());
        return Kestrel(args, also);
    }
    static nlohmann::json Json() {
        std::ifstream in("r.json");
        return nlohmann::json::parse(in);
    }
    static std::string Junit() {
        std::ifstream in("r.xml");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A board whose reads bring 4000 of the 4096 bytes asked: 96 bytes missing per read-back.
    static void ShortReadingBoard() {
        bus::AddBoard();
        bus::LimitReads(0, 4000);
    }
};

const char kReadBack[] = "[[step]]\nname = \"burst\"\nkind = \"transfer\"\nmode = \"write-read\"\n"
                         "word-count = 4096\nverify = true\nrepetitions = 3\n";

// Lines of a text without the rate line, whose figures follow the clock.
std::string WithoutRates(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.find("Bytes/s - ") == std::string::npos) kept += line + "\n";
    return kept;
}

} // namespace

// Exit 0 and 1 around a limit: the 288 bytes three short read-backs miss pass a limit of 288
// and fail one of 287; the reports carry every figure of the step line.
TEST_F(BatchRun, LimitJustMetAndJustMissed) {
    const long long wrong = 3 * 96;
    ShortReadingBoard();
    Outcome met =
        RunPlan("[link]\nlatency = 7\nframing = \"corvo\"\n" + std::string(kReadBack) +
                "limits = { max-wrong-bytes = " + std::to_string(wrong) + ", min-rate = 1e-9 }\n");
    EXPECT_EQ(met.status, 0) << met.out << met.err;
    EXPECT_EQ(met.err, "");                 // no progress when the standard error is not a terminal
    EXPECT_EQ(bus::Board(0).latencyMs, 7u); // sent by the latency timer's own callback
    EXPECT_EQ(Json()["link"]["latency-ms"], 7);

    bus::ResetBus();
    ShortReadingBoard();
    Outcome missed =
        RunPlan(std::string(kReadBack) + "limits.max-wrong-bytes = " + std::to_string(wrong - 1));
    EXPECT_EQ(missed.status, 1);
    EXPECT_NE(missed.out.find("[1/1] burst: FAIL"), std::string::npos) << missed.out;
    EXPECT_NE(missed.out.find("exit 1 (a limit failed)"), std::string::npos);

    const nlohmann::json report = Json();
    EXPECT_EQ(report["exit-status"], 1);
    EXPECT_EQ(report["board"]["serial"], "SIM00001");
    const nlohmann::json& step = report["steps"][0];
    EXPECT_EQ(step["verdict"], "FAIL");
    EXPECT_EQ(step["failed-limit"], "wrong-bytes");
    EXPECT_EQ(step["parameters"]["word-count"], 4096);
    for (const auto& figure : step["figures"]) {
        const std::string name = figure["name"];
        EXPECT_NE(missed.out.find(name + " "), std::string::npos) << name;
        if (figure.contains("value") && name != "rate" && name != "bit-error-rate") {
            char shown[32];
            std::snprintf(shown, sizeof shown, "%s %.6g", name.c_str(),
                          figure["value"].get<double>());
            EXPECT_NE(missed.out.find(shown), std::string::npos) << shown;
        }
    }
    EXPECT_NE(step["info-text"].get<std::string>().find("Verify: "), std::string::npos);

    QXmlStreamReader xml(QString::fromStdString(Junit()));
    int cases = 0;
    std::string failure;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        cases += xml.name() == QString("testcase");
        if (xml.name() == QString("failure"))
            failure = xml.attributes().value("message").toString().toStdString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_NE(Junit().find("<failure type=\"wrong-bytes\""), std::string::npos);
    EXPECT_EQ(cases, 1);
    EXPECT_NE(failure.find("wrong-bytes " + std::to_string(wrong) + " (max " +
                           std::to_string(wrong - 1) + ")"),
              std::string::npos)
        << failure;
}

// Exit 3 without the board, 4 when the board goes away mid-run (the rest is not run), 2 for a
// plan refused once the panel is known; kestrel.cfg is never touched.
TEST_F(BatchRun, BoardMissingFailingAndPlanRefused) {
    AddBoard("Lab board", "LAB0001");
    Outcome none = RunPlan(kReadBack, {"--serial", "NOPE"});
    EXPECT_EQ(none.status, 3);
    EXPECT_NE(none.err.find("no board with serial number NOPE"), std::string::npos);
    EXPECT_EQ(Json()["steps"][0]["verdict"], "NOT RUN");

    bus::UnplugBoardAfter(0, 12);
    Outcome gone = RunPlan(std::string(kReadBack) + kReadBack + kReadBack);
    EXPECT_EQ(gone.status, 4) << gone.out;
    EXPECT_NE(gone.out.find(": ERROR  transfers 1, library-errors 1 (max 0) - library error: "
                            "Device removed from the bus"),
              std::string::npos)
        << gone.out;
    EXPECT_EQ(Json()["steps"][2]["verdict"], "NOT RUN");
    EXPECT_NE(Junit().find("type=\"library-error\""), std::string::npos);

    Outcome badPattern =
        RunPlan("[[step]]\nkind = \"transfer\"\ndata = \"pattern\"\npattern = 0x12\n");
    EXPECT_EQ(badPattern.status, 2);
    EXPECT_NE(badPattern.err.find("plan.toml:4:11: step 1: pattern: expected one of"),
              std::string::npos)
        << badPattern.err;
    Outcome unusedSet = RunPlan(kReadBack, {"--set", "serial=X"});
    EXPECT_EQ(unusedSet.status, 2);
    EXPECT_FALSE(std::filesystem::exists("kestrel.cfg"));
    EXPECT_FALSE(std::filesystem::exists("kestrel.ini"));
}

// Exit 130: a quit signal during a loop stops it at once; the reports are still written,
// marked aborted, with the loop's statistics so far.
TEST_F(BatchRun, InterruptedRunKeepsPartialReports) {
    const struct {
        const char* step;
        const char* printed;
    } cases[] = {
        {"kind = \"loop\"\nmode = \"extended-read\"\nticks = 1000000\n", "Processed frames = "},
        {"kind = \"transfer\"\nrepetitions = 1000000\n", "Bytes/s - "}};
    for (const auto& c : cases) {
        bus::ResetBus();
        AddBoard("Lab board", "LAB0001");
        struct SignalAtThirdTick : batch::RunObserver {
            int ticks = 0;
            void stepProgress(const batch::StepProgress&) override {
                if (++ticks == 3) uirt::NoteQuitSignal(SIGINT);
            }
        } observer;
        Outcome o = RunPlan("[[step]]\nname = \"soak\"\n" + std::string(c.step) +
                                "[[step]]\nkind = \"eeprom-check\"\n",
                            {}, &observer);
        EXPECT_EQ(o.status, 130);
        EXPECT_NE(o.out.find("[1/2] soak: ABORTED  transfers 3,"), std::string::npos) << o.out;
        const nlohmann::json report = Json();
        EXPECT_EQ(report["aborted"], true);
        EXPECT_EQ(report["steps"][0]["verdict"], "ABORTED");
        EXPECT_NE(report["steps"][0]["info-text"].get<std::string>().find(c.printed),
                  std::string::npos);
        EXPECT_EQ(report["steps"][1]["verdict"], "NOT RUN");
        EXPECT_NE(Junit().find("type=\"aborted\""), std::string::npos);
    }
}

// A loop of extended reads counts the frames the board spoils, against their limits; a report
// that cannot be written is an error of its own.
TEST_F(BatchRun, LoopCountsFrameFaults) {
    AddBoard("Lab board", "LAB0001");
    bus::CorruptFrameTrailers(0, 3, 2);
    Outcome o = RunPlan("[[step]]\nname = \"stream\"\nkind = \"loop\"\nmode = \"extended-read\"\n"
                        "ticks = 4\nlimits = { max-trailer-errors = 1, max-lost-frames = 0, "
                        "min-rate = 1e-9 }\n",
                        {"--junit", "no/such/folder/r.xml"});
    EXPECT_EQ(o.status, 2) << o.out; // the report that cannot be written outweighs the limit
    EXPECT_NE(o.err.find("cannot write no/such/folder/r.xml"), std::string::npos);
    EXPECT_NE(o.out.find("[1/1] stream: FAIL  transfers 4, rate "), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("lost-frames 0 (max 0), header-errors 0, trailer-errors 2 (max 1)"),
              std::string::npos);
    EXPECT_NE(Json()["steps"][0]["info-text"].get<std::string>().find("Trailer errors = 2"),
              std::string::npos);
}

// EEPROM steps: programming with a serial number from --set, then a check that reads it back;
// and `kestrel list` shows the board under its new identity.
TEST_F(BatchRun, ProgramsAndChecksTheEeprom) {
    AddBoard("Lab board", "LAB0001");
    Outcome o = RunPlan("[[step]]\nkind = \"eeprom-program\"\ndescription = \"Line board\"\n"
                        "serial = \"${serial}\"\nmax-power = 250\n"
                        "[[step]]\nkind = \"eeprom-check\"\nserial = \"${serial}\"\n"
                        "power-source = \"self\"\n",
                        {"--set", "serial=LN000042"});
    EXPECT_EQ(o.status, 1) << o.out << o.err; // the board stayed bus-powered
    EXPECT_NE(o.out.find("[1/2] step 1: PASS"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("power-source \"bus-powered\" (expected \"self-powered\")"),
              std::string::npos);
    EXPECT_EQ(Kestrel({"list"}).out, "Line board\tLN000042\tsimulated\n");
    EXPECT_EQ(nlohmann::json::parse(Kestrel({"list", "--json"}).out)[0]["serial"], "LN000042");
}

// A plan step prints in the information box what the same settings clicked on the setup panel
// print.
TEST_F(BatchRun, StepPrintsWhatTheClickPrints) {
    const char plan[] =
        "[[step]]\nkind = \"transfer\"\nmode = \"write-read\"\nword-size = 16\n"
        "word-count = 40\nstart = 0x1234\nincrement = 3\nbyte-order = \"msb-first\"\n"
        "sub-address = 5\nprint = true\n"
        "[[step]]\nkind = \"transfer\"\nword-count = 8\nsub-address = 5\nprint = true\n";
    AddBoard("Lab board", "LAB0001");
    ASSERT_EQ(RunPlan(plan).status, 0);
    std::string stepText = Json()["steps"][0]["info-text"].get<std::string>() +
                           Json()["steps"][1]["info-text"].get<std::string>();
    // The plan's connection, before its first step, names the board; a click has none.
    if (stepText.starts_with("Connected to ")) stepText.erase(0, stepText.find('\n') + 1);

    bus::ResetBus();
    hl::Reset();
    AddBoard("Lab board", "LAB0001");
    std::string clickText;
    Then([&] {
        const int s = SetupHandle();
        hl::MarkOption(s, SETUPPANEL_IOMODE, 3);
        hl::MarkOption(s, SETUPPANEL_BYTEORDERRADIO, 1);
        hl::MarkOption(s, SETUPPANEL_DATASZRADIO, 1);
        hl::EnterValue(s, SETUPPANEL_SUBADDRESS, 5);
        hl::EnterValue(s, SETUPPANEL_INCREMENT, 3);
        hl::EnterValue(s, SETUPPANEL_WORDCOUNT, 40);
        hl::EnterValue(s, SETUPPANEL_DATA, 0x1234);
        hl::Toggle(s, SETUPPANEL_PRINTCHK, 1);
        const std::string before = InfoText();
        hl::Press(s, SETUPPANEL_APPLYBTN);
        hl::MarkOption(s, SETUPPANEL_IOMODE, 0); // the block as the board keeps it: byte order
        hl::MarkOption(s, SETUPPANEL_DATASZRADIO, 0);
        hl::EnterValue(s, SETUPPANEL_WORDCOUNT, 8);
        hl::Press(s, SETUPPANEL_APPLYBTN);
        clickText = InfoText().substr(before.size());
    });
    Run();
    EXPECT_NE(stepText.find("Wrote..."), std::string::npos) << stepText;
    EXPECT_EQ(WithoutRates(stepText), WithoutRates(clickText));
}

// The kestrel executable, which links the Qt front end, runs with no display and Qt unable to
// start; a board with bit errors (its bus file) fails the plan with exit 1.
TEST_F(BatchRun, ExecutableNeedsNoDisplay) {
    WriteFile("clean.bus", "[board]\n");
    WriteFile("noisy.bus", "[board]\nbit-error-rate = 0.001 7\n");
    WriteFile("plan.toml", std::string(kReadBack) + "limits.max-wrong-bytes = 0\n");
    auto kestrel = [](const std::string& bus, const std::string& args) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none "
                                    "XDG_STATE_HOME=. CORVOUSB_BUS=" +
                                    bus + " " KESTREL_BINARY " " + args + " >out.txt 2>&1";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(kestrel("clean.bus", "list"), 0);
    EXPECT_EQ(ReadFile("out.txt"), "Simulated Corvo Board\tSIM00001\tsimulated\n");
    EXPECT_EQ(kestrel("clean.bus", "run plan.toml --json r.json"), 0) << ReadFile("out.txt");
    EXPECT_EQ(Json()["steps"][0]["verdict"], "PASS");
    EXPECT_EQ(kestrel("noisy.bus", "run plan.toml --json r.json"), 1) << ReadFile("out.txt");
    EXPECT_EQ(Json()["steps"][0]["failed-limit"], "wrong-bytes");
}
