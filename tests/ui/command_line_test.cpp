// The command line: --maintenance, --help, --version and an unknown option.
#include "app/CommandLine.h"
#include "tests/support/CaptureOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

struct Outcome {
    int run;
    int maintenance;
    int exitCode;
    std::string out;
    std::string err;
};

Outcome Read(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Outcome o{0, -1, -1, "", ""};
    o.err = CaptureOutput(STDERR_FILENO, [&] {
        o.out = CaptureOutput(STDOUT_FILENO, [&] {
            o.run = ReadCommandLine(static_cast<int>(args.size()), argv.data(), &o.maintenance,
                                    &o.exitCode);
        });
    });
    return o;
}

// Fails when an option is misread, or --help, --version or an unknown option print the wrong
// text, on the wrong stream, or end with the wrong code.
TEST(CommandLine, OptionsUsageAndVersion) {
    Outcome plain = Read({"kestrel"});
    EXPECT_EQ(plain.run, 1);
    EXPECT_EQ(plain.maintenance, 0);
    Outcome maintenance = Read({"kestrel", "--maintenance"});
    EXPECT_EQ(maintenance.run, 1);
    EXPECT_EQ(maintenance.maintenance, 1);
    EXPECT_EQ(maintenance.out + maintenance.err, "");

    for (const char* option : {"--help", "-h"}) {
        Outcome help = Read({"kestrel", option});
        EXPECT_EQ(std::tuple(help.run, help.exitCode, help.err), std::tuple(0, 0, "")) << option;
        EXPECT_TRUE(help.out.starts_with("Usage: kestrel [--maintenance] ")) << help.out;
    }

    Outcome version = Read({"kestrel", "--version"});
    EXPECT_EQ(version.run, 0);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Kestrel 2.0\nF1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File v1.0.0.67 - "
                           "Product v2.0.0.56\n");

    Outcome unknown = Read({"kestrel", "--maintenance", "--fast"});
    EXPECT_EQ(unknown.run, 0);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_TRUE(unknown.err.starts_with("kestrel: unknown option '--fast'\nUsage:")) << unknown.err;
}

} // namespace
