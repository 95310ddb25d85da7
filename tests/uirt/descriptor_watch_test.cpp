// Descriptors watched by the event loop: the model's watches and the headless front end's turns.
#include "TestPanel.h"

#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/model/watch.h"

#include <unistd.h>

namespace hl = uirt::headless;

// Fails when a ready descriptor's callback is not run at the next turn of the loop (the scripted
// loop turns before each step), runs for a quiet descriptor, runs inside another callback, runs
// after its watch ended, or when a bad descriptor is accepted.
TEST_F(OnTestPanel, WatchedDescriptorRunsItsCallbackOncePerReadyTurn) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    int calls = 0, nested = 0;
    const int id = uirt::WatchDescriptor(ends[0], [&] {
        ++calls;
        char c;
        (void)!read(ends[0], &c, 1);
        nested = uirt::input::descriptorReady(id);
    });
    ASSERT_GT(id, 0);
    EXPECT_EQ(uirt::WatchDescriptor(-1, [] {}), UIE_BAD_VALUE);
    hl::TurnEventLoop();
    EXPECT_EQ(calls, 0) << "nothing to read";
    (void)!write(ends[1], "x", 1);
    hl::Script([&] { EXPECT_EQ(calls, 1); });
    RunUserInterface();
    EXPECT_EQ(nested, UIE_BUSY);
    uirt::UnwatchDescriptor(id);
    (void)!write(ends[1], "x", 1);
    hl::TurnEventLoop();
    EXPECT_EQ(calls, 1) << "unwatched";
    EXPECT_EQ(uirt::input::descriptorReady(id), UIE_BAD_VALUE);
    close(ends[0]);
    close(ends[1]);
}
