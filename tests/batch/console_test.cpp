// The progress line: fails when it is shown more often than asked, lacks a figure, or is left
// on the terminal under the step's line.
#include "batch/ConsoleReport.h"
#include "tests/support/CaptureOutput.h"

#include <gtest/gtest.h>

using namespace batch;

TEST(Progress, ThrottledShownAndCleared) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    Step step;
    step.name = "soak";
    const StepProgress p{
        .elapsed = 12, .done = 12, .total = 3600, .unit = "s", .rateMBps = 1.5, .errors = 2};
    ConsoleObserver hourly(file, std::chrono::hours(1)), always(file, std::chrono::milliseconds(0));
    hourly.stepStarted(step, 1, 1);
    hourly.stepProgress(p);
    always.stepStarted(step, 1, 1);
    always.stepProgress(p);
    const std::string out = CaptureOutput(STDOUT_FILENO, [&] { always.stepEnded({}, 1); });
    EXPECT_EQ(out, "[1/1] : NOT RUN\n");
    std::rewind(file);
    char text[256] = "";
    const size_t n = std::fread(text, 1, sizeof text - 1, file);
    EXPECT_EQ(std::string(text, n), "\rsoak: 12 s, 12 of 3600 s, 1.500 MB/s, 2 errors  \r\033[K");
    std::fclose(file);
}
