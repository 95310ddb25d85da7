// Plan reading: fails when a wrong plan is taken, or refused at the wrong place or for no reason.
#include "batch/PlanReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace batch;

namespace {

const char kStep[] = "[[step]]\nkind = \"transfer\"\n";

PlanError ErrorOf(const std::string& text, const PlanVariables& vars = {}) {
    auto result = ParsePlan(text, "p.toml", vars);
    if (auto* e = std::get_if<PlanError>(&result)) return *e;
    ADD_FAILURE() << "taken: " << text;
    return {};
}

} // namespace

// Each class of mistake is refused with the line and column of the offending key or value.
TEST(PlanErrors, NamePlaceAndExpectation) {
    const struct {
        std::string text;
        int line, column;
        const char* says;
    } cases[] = {
        {"name = \"x\n", 1, 10, ""}, // TOML syntax
        {std::string(kStep) + "colour = 3\n", 3, 1, "unknown key \"colour\" in step 1"},
        {"speed = 1\n" + std::string(kStep), 1, 1, "unknown key \"speed\" in the plan"},
        {"[link]\nlatency = 300\n" + std::string(kStep), 2, 11,
         "link.latency: expected a whole number from 0 to 255"},
        {"[board]\nport = 1\n" + std::string(kStep), 2, 1, "unknown key \"port\" in board"},
        {std::string(kStep) + "word-count = \"many\"\n", 3, 14, "expected a whole number"},
        {std::string(kStep) + "mode = \"sideways\"\n", 3, 8, "expected one of \"read\""},
        {std::string(kStep) + "word-size = 12\n", 3, 13, "expected one of 8, 16, 32"},
        {"[[step]]\nname = \"a\"\n", 1, 1, "step 1: expected a kind"},
        {"[[step]]\nkind = \"loop\"\nticks = 3\nduration = 1.0\n", 1, 1, "either duration"},
        {std::string(kStep) + "limits.max-lost-frames = 0\n", 3, 26,
         "needs mode = \"extended-read\""},
        {std::string(kStep) + "limits.max-wrong-bytes = 0\n", 3, 26, "needs verify = true"},
        {std::string(kStep) + "limits = { max-speed = 1 }\n", 3, 12,
         "unknown key \"max-speed\" in step 1.limits"},
        {"[[step]]\nkind = \"eeprom-program\"\nserial = \"${serial}\"\n", 3, 10,
         "--set serial=VALUE"},
        {"[[step]]\nkind = \"eeprom-check\"\nserial = \"TOO LONG!\"\n", 3, 10,
         "at most 8 characters"},
        {"name = \"no steps\"\n", 1, 1, "at least one [[step]]"},
    };
    for (const auto& c : cases) {
        const PlanError e = ErrorOf(c.text);
        EXPECT_EQ(e.line, c.line) << c.text << e.text();
        EXPECT_EQ(e.column, c.column) << c.text << e.text();
        EXPECT_NE(e.message.find(c.says), std::string::npos) << e.text();
        EXPECT_EQ(e.text().rfind("p.toml:" + std::to_string(c.line) + ":", 0), 0u);
    }
}

// Values reach the plan: the step's settings, limits, and --set values in strings.
TEST(PlanReading, SettingsLimitsAndVariables) {
    PlanVariables used;
    auto result = ParsePlan("[board]\ndescription = \"Lab ${n}\"\n[link]\nframing = \"none\"\n"
                            "[[step]]\nkind = \"loop\"\nmode = \"extended-read\"\nperiod = 20\n"
                            "ticks = 5\nword-size = 16\nverify = true\n"
                            "limits = { min-rate = 1.5, max-payload-errors = 2 }\n"
                            "[[step]]\nkind = \"eeprom-program\"\nserial = \"B${n}\"\n"
                            "power-source = \"self\"\n",
                            "p.toml", {{"n", "42"}, {"spare", "x"}}, &used);
    ASSERT_TRUE(std::holds_alternative<Plan>(result)) << std::get<PlanError>(result).text();
    const Plan& plan = std::get<Plan>(result);
    EXPECT_EQ(std::tuple(plan.board.description, plan.link.framed), std::tuple("Lab 42", false));
    ASSERT_EQ(plan.steps.size(), 2u);
    const Step &loop = plan.steps[0], &program = plan.steps[1];
    EXPECT_EQ(std::tuple(loop.name, loop.transfer.ioMode, loop.transfer.wordSize, loop.periodMs,
                         loop.ticks, loop.limits.minRateMBps, loop.limits.maxPayloadErrors,
                         program.eeprom.serial, program.eeprom.powerSource),
              std::tuple("step 1", 4, 1, 20, 5, 1.5, 2, "B42", 1));
    EXPECT_EQ(used, (PlanVariables{{"n", "42"}})); // "spare" unused: the command refuses it
}

// The example plans in the repository stay valid.
TEST(PlanReading, ExamplesParse) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(KESTREL_SOURCE_DIR) + "/examples")) {
        auto result = ReadPlan(entry.path());
        EXPECT_TRUE(std::holds_alternative<Plan>(result)) << std::get<PlanError>(result).text();
    }
    auto fifo = ReadPlan("/dev/null");
    EXPECT_NE(std::get<PlanError>(fifo).message.find("not a regular file"), std::string::npos);
}
