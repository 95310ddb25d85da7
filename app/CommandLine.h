// Kestrel's command-line options: --maintenance, --desktop, --help, --help-pages and --version.
#pragma once

// Reads the options. Returns 1 when Kestrel should run, with *maintenance set by
// "--maintenance" and, for "--desktop", the per-user folder made the working folder; 0 when the
// program should end with *exitCode: after printing the usage ("--help", exit code 0), the help
// pages' folder ("--help-pages", 0; 1 when there are none) or the version ("--version", 0) on
// the standard output, or on the standard error the usage for an unknown option (2) or why the
// per-user folder cannot be used (1).
int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode);
