// The board-settings record: the sub-address byte, bounded strings, the buffer.
#include "core/Kestrel_core.h"

#include <gtest/gtest.h>
#include <string>

// Fails when the sub-address keeps more than its low byte or loses the sign on reading, or the
// byte total does not add, or overflows instead of wrapping.
TEST(BoardRecord, SubAddressByteAndTotalBytes) {
    InitTestBoard();
    SetSubAddress(0x1FE);
    EXPECT_EQ(GetSubAddress(), -2);
    SetSubAddress(0x7F);
    EXPECT_EQ(GetSubAddress(), 127);
    SetSubAddress(0x80);
    EXPECT_EQ(GetSubAddress(), -128);

    SetTotalBytes(10);
    IncTotalBytes(5);
    EXPECT_EQ(GetTotalBytes(), 15);
    SetTotalBytes(0x7FFFFFFF);
    IncTotalBytes(1);
    EXPECT_EQ(GetTotalBytes(), static_cast<int>(0x80000000u));
}

// Fails when a setter accepts null, or writes past the serial-number or description field.
TEST(BoardRecord, TextSettersIgnoreNullAndCutLongText) {
    InitTestBoard();
    SetSerNum("A1B2C3");
    SetDevDesc("Board under test");
    SetSerNum(nullptr);
    SetDevDesc(nullptr);
    EXPECT_STREQ(GetSerNum(), "A1B2C3");
    EXPECT_STREQ(GetDevDesc(), "Board under test");

    SetSerNum("0123456789ABCDEF");
    EXPECT_STREQ(GetSerNum(), "012345678");
    std::string longDesc(100, 'd');
    SetDevDesc(longDesc.c_str());
    EXPECT_EQ(std::string(GetDevDesc()), std::string(64, 'd'));
    std::string exact(64, 'e');
    SetDevDesc(exact.c_str());
    EXPECT_EQ(std::string(GetDevDesc()), exact);
}

static int allocations;
static void* CountingAlloc(size_t size) {
    ++allocations;
    return malloc(size);
}
static void* FailingAlloc(size_t) {
    return nullptr;
}

// Fails when a second allocation leaks the first block, a double free crashes, or a failed
// allocation leaves a stale pointer.
TEST(BoardRecord, InterfaceBufferLifecycle) {
    InitTestBoard();
    allocations = 0;
    SetInterfaceBufferAllocator(CountingAlloc);
    unsigned char* first = InterfaceBufferAlloc();
    ASSERT_NE(first, nullptr);
    first[INTERFACE_BUFFER_SIZE - 1] = 0xA5; // the whole 256 KiB is usable
    unsigned char* second = InterfaceBufferAlloc();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetInterfaceBuffer(), second);
    EXPECT_EQ(allocations, 2);
    InterfaceBufferFree();
    InterfaceBufferFree();
    EXPECT_EQ(GetInterfaceBuffer(), nullptr);

    SetInterfaceBufferAllocator(FailingAlloc);
    EXPECT_EQ(InterfaceBufferAlloc(), nullptr);
    EXPECT_EQ(GetInterfaceBuffer(), nullptr);
    SetInterfaceBufferAllocator(nullptr);
}
