// Loop mode told to one watcher above (the run monitor): the start, each tick's transfer done,
// and the stop by the "Loop" check box. One call from loop mode for each; nothing while nobody
// watches, so loop mode behaves as before.
#pragma once

enum class LoopPhase { Started, Ticked, Stopped };

using LoopWatcher = void (*)(LoopPhase phase);

// Replaces the watcher; null means nobody watches.
void WatchLoop(LoopWatcher watcher);
// Tells the watcher, if any.
void TellLoopWatcher(LoopPhase phase);
