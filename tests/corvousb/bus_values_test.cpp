// Bus-file numbers beyond what their field holds.
#include "platform/corvousb/sim/BusFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// Fails when a value wider than its 32-bit field is cut to its low bits and taken instead of
// being refused as the line it is.
TEST(BusFileValues, WiderThanTheFieldAreRefused) {
    const auto parsed = corvousb::ParseBusFile("[board]\n"
                                               "stream-rate = 4294967296\n"
                                               "stream-buffer = 4294967297\n"
                                               "stream-rate = 4294967295\n");
    EXPECT_THAT(parsed.problems, ::testing::ElementsAre("line 2: stream-rate = 4294967296",
                                                        "line 3: stream-buffer = 4294967297"));
}
