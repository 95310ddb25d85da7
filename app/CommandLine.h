// Kestrel's command-line options: --maintenance, --help, --version and Qt's standard options.
#pragma once

// Reads the options. Returns 1 when Kestrel should run, with *maintenance set by
// "--maintenance" and argv left holding the program name and Qt's standard options (with their
// values), ended by a null pointer, for the window system. Returns 0 when the program should
// end with *exitCode: after printing the usage ("--help" or "-h", exit code 0) or the version
// ("--version", 0) on the standard output, or an error and the usage on the standard error for
// an unknown option or a Qt option without its value (2); arguments shown there are made
// printable.
int ReadCommandLine(int argc, char** argv, int* maintenance, int* exitCode);
