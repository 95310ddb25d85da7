// The command line: --maintenance, --help, --version, Qt options and an unknown option.
#include "app/CommandLine.h"
#include "tests/support/CaptureOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct Outcome {
    int run = 0, maintenance = -1, exitCode = -1;
    std::string out, err;
    Strings left; // what argv holds afterwards, when it runs
};

Outcome Read(Strings args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Outcome o;
    o.err = CaptureOutput(STDERR_FILENO, [&] {
        o.out = CaptureOutput(STDOUT_FILENO, [&] {
            o.run = ReadCommandLine(static_cast<int>(args.size()), argv.data(), &o.maintenance,
                                    &o.exitCode);
        });
    });
    for (char** p = argv.data(); o.run && *p != nullptr; ++p)
        o.left.push_back(*p);
    return o;
}

// Fails when an option is misread, or --help, --version or an unknown option print the wrong
// text, on the wrong stream, or end with the wrong code.
TEST(CommandLine, OptionsUsageAndVersion) {
    Outcome plain = Read({"kestrel"}), maintenance = Read({"kestrel", "--maintenance"});
    EXPECT_EQ(std::tuple(plain.run, plain.maintenance, maintenance.run, maintenance.maintenance,
                         maintenance.out + maintenance.err),
              std::tuple(1, 0, 1, 1, ""));

    Outcome help;
    for (const char* option : {"--help", "-h"}) {
        help = Read({"kestrel", option});
        EXPECT_EQ(std::tuple(help.run, help.exitCode, help.err), std::tuple(0, 0, "")) << option;
        EXPECT_TRUE(help.out.starts_with("Usage: kestrel [--maintenance] ")) << help.out;
    }

    Outcome version = Read({"kestrel", "--version"});
    EXPECT_EQ(std::tuple(version.run, version.exitCode, version.out),
              std::tuple(0, 0,
                         "Kestrel 2.0\nF1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File v1.0.0.67 - "
                         "Product v2.0.0.56\n"));

    Outcome unknown = Read({"kestrel", "--maintenance", "--fast"});
    EXPECT_EQ(std::tuple(unknown.run, unknown.exitCode, unknown.out), std::tuple(0, 2, ""));
    EXPECT_TRUE(unknown.err.starts_with("kestrel: unknown option '--fast'\nUsage:")) << unknown.err;

    // Fails when a Qt standard option is refused or not handed on with its value, a Qt option
    // without its value is let through, an argument echoed in an error reaches the terminal raw,
    // or the synopsis leaves an option out.
    Outcome qt =
        Read({"kestrel", "-platform", "offscreen", "--maintenance", "-reverse", "-style=fusion"});
    EXPECT_EQ(qt.left, (Strings{"kestrel", "-platform", "offscreen", "-reverse", "-style=fusion"}));
    Outcome bare = Read({"kestrel", "-platform"});
    Outcome raw = Read({"kestrel", "--\x1b[2J\t\xc3\xa9"});
    EXPECT_EQ(std::tuple(bare.exitCode, bare.err.substr(0, bare.err.find('\n')),
                         raw.err.substr(0, raw.err.find('\n'))),
              std::tuple(2, "kestrel: missing value for '-platform'",
                         "kestrel: unknown option '--\\x1B[2J\\x09\\xC3\\xA9'"));

    const std::string synopsis = help.out.substr(0, help.out.find('\n'));
    for (const char* option :
         {"--maintenance", "--desktop", "-h", "--help", "--help-pages", "--version", "QT-OPTION"})
        EXPECT_NE(synopsis.find(option), std::string::npos) << option;
}

} // namespace
