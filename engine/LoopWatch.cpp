// The one loop watcher.
#include "engine/LoopWatch.h"

static LoopWatcher theWatcher = nullptr;

void WatchLoop(LoopWatcher watcher) {
    theWatcher = watcher;
}

void TellLoopWatcher(LoopPhase phase) {
    if (theWatcher != nullptr) theWatcher(phase);
}
