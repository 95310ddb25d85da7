// The windowless commands `kestrel run` and `kestrel list`.
#pragma once

// Whether the first argument names a windowless command.
int IsBatchCommand(const char* word);

// Runs `kestrel run ...` or `kestrel list ...` (argv[0] is the command word) on the headless
// front end, without reading or writing kestrel.cfg. Returns the exit status.
int RunBatchCommand(int argc, char** argv);
