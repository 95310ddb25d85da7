// The windowless commands `kestrel run` and `kestrel list`.
#pragma once

namespace batch {
class RunObserver;
}

// Whether the first argument names a windowless command.
int IsBatchCommand(const char* word);

// Runs `kestrel run ...` or `kestrel list ...` (argv[0] is the command word) on the headless
// front end, without reading or writing kestrel.cfg. Returns the exit status. `also` is told
// what the steps do as well (tests, the benchmark).
int RunBatchCommand(int argc, char** argv, batch::RunObserver* also = nullptr);
