// The board-settings record: the sub-address byte, bounded strings, the buffer.
#include "core/Kestrel_core.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

// Fails when the sub-address keeps more than its low byte or loses the sign on reading, the byte
// total does not add, or overflows instead of wrapping, or a text setter accepts null or writes
// past the serial-number or description field.
TEST(BoardRecord, SubAddressByteTotalBytesAndTexts) {
    InitTestBoard();
    for (auto [set, got] : {std::pair{0x1FE, -2}, {0x7F, 127}, {0x80, -128}}) {
        SetSubAddress(set);
        EXPECT_EQ(GetSubAddress(), got) << set;
    }

    SetTotalBytes(10), IncTotalBytes(5);
    EXPECT_EQ(GetTotalBytes(), 15);
    SetTotalBytes(0x7FFFFFFF), IncTotalBytes(1);
    EXPECT_EQ(GetTotalBytes(), static_cast<int>(0x80000000u));

    SetSerNum("A1B2C3"), SetDevDesc("Board under test");
    SetSerNum(nullptr), SetDevDesc(nullptr);
    EXPECT_EQ(std::string(GetSerNum()) + "|" + GetDevDesc(), "A1B2C3|Board under test");
    SetSerNum("0123456789ABCDEF"), SetDevDesc(std::string(100, 'd').c_str());
    EXPECT_EQ(std::string(GetSerNum()) + "|" + GetDevDesc(), "012345678|" + std::string(64, 'd'));

    // The buffer: fails when a second allocation leaks the first block (the sanitizer build sees
    // it), a double free crashes, or a failed allocation leaves a stale pointer.
    unsigned char* first = InterfaceBufferAlloc();
    ASSERT_NE(first, nullptr);
    first[INTERFACE_BUFFER_SIZE - 1] = 0xA5; // the whole 256 KiB is usable
    unsigned char* second = InterfaceBufferAlloc();
    EXPECT_TRUE(second != nullptr && GetInterfaceBuffer() == second);
    InterfaceBufferFree(), InterfaceBufferFree();
    EXPECT_EQ(GetInterfaceBuffer(), nullptr);
    SetInterfaceBufferAllocator([](size_t) -> void* { return nullptr; });
    EXPECT_TRUE(InterfaceBufferAlloc() == nullptr && GetInterfaceBuffer() == nullptr);
    SetInterfaceBufferAllocator(nullptr);
}
