// Kestrel's entry point: reads the command-line options, then runs the program.
#include "app/BatchCommand.h"
#include "app/CommandLine.h"
#include "app/Kestrel.h"

int main(int argc, char** argv) {
    int maintenance = 0;
    int exitCode = 0;
    if (argc > 1 && IsBatchCommand(argv[1])) return RunBatchCommand(argc - 1, argv + 1);
    if (!ReadCommandLine(argc, argv, &maintenance, &exitCode)) return exitCode;
    return KestrelMain(maintenance, argv);
}
