// The command line's Qt options, its synopsis and the arguments it echoes.
#include "app/CommandLine.h"
#include "tests/support/CaptureOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs ReadCommandLine on `args`; returns what it printed on the standard error and leaves in
// `left` what argv holds afterwards (when it runs).
int ReadArgs(std::vector<std::string> args, std::vector<std::string>& left, std::string& err,
             std::string& out) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int maintenance = 0, exitCode = -1;
    int run = 0;
    err = CaptureOutput(STDERR_FILENO, [&] {
        out = CaptureOutput(STDOUT_FILENO, [&] {
            run = ReadCommandLine(static_cast<int>(args.size()), argv.data(), &maintenance,
                                  &exitCode);
        });
    });
    left.clear();
    for (char** p = argv.data(); run && *p != nullptr; ++p)
        left.push_back(*p);
    return run ? 1 : -exitCode;
}

// Fails when a Qt standard option is refused or not handed on with its value, a Qt option
// without its value is let through, an argument echoed in an error reaches the terminal raw,
// or the synopsis leaves an option out.
TEST(CommandLineQt, QtOptionsPassOnAndEchoesArePrintable) {
    std::vector<std::string> left;
    std::string err, out;
    EXPECT_EQ(ReadArgs({"kestrel", "-platform", "offscreen", "--maintenance", "-reverse",
                        "-style=fusion"},
                       left, err, out),
              1);
    EXPECT_EQ(left, (std::vector<std::string>{"kestrel", "-platform", "offscreen", "-reverse",
                                              "-style=fusion"}));
    EXPECT_EQ(ReadArgs({"kestrel", "-platform"}, left, err, out), -2);
    EXPECT_TRUE(err.starts_with("kestrel: missing value for '-platform'\n")) << err;
    EXPECT_EQ(ReadArgs({"kestrel", "--\x1b[2J\t\xc3\xa9"}, left, err, out), -2);
    EXPECT_TRUE(err.starts_with("kestrel: unknown option '--\\x1B[2J\\x09\\xC3\\xA9'\n")) << err;

    ReadArgs({"kestrel", "--help"}, left, err, out);
    const std::string synopsis = out.substr(0, out.find('\n'));
    for (const char* option :
         {"--maintenance", "--desktop", "-h", "--help", "--help-pages", "--version", "QT-OPTION"})
        EXPECT_NE(synopsis.find(option), std::string::npos) << option;
}

} // namespace
