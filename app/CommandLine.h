// Kestrel's command-line options: --maintenance, --help and --version.
#pragma once

// Reads the options. Returns 1 when Kestrel should run, with *maintenance set by
// "--maintenance"; 0 when the program should end with *exitCode: after printing the usage
// ("--help", exit code 0) or the version ("--version", 0) on the standard output, or the usage
// on the standard error for an unknown option (2).
int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode);
