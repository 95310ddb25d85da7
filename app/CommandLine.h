// Kestrel's command-line options: --maintenance, --desktop, --help, --help-pages, --version and
// Qt's standard options.
#pragma once

// Reads the options. Returns 1 when Kestrel should run, with *maintenance set by
// "--maintenance", for "--desktop" the per-user folder made the working folder, and argv left
// holding the program name and Qt's standard options (with their values), ended by a null
// pointer, for the window system. Returns 0 when the program should end with *exitCode: after
// printing the usage ("--help" or "-h", exit code 0), the help pages' folder ("--help-pages", 0;
// 1 when there are none) or the version ("--version", 0) on the standard output, or on the
// standard error an error and the usage for an unknown option or a Qt option without its value
// (2; arguments shown there are made printable) or why the per-user folder cannot be used (1).
int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode);

// The usage text that --help prints.
const char* KestrelUsage(void);
