// Win32 base services: the last error is per thread, LocalAlloc memory is
// zeroed on request, Interlocked* are atomic and return the new value.
#include "test_support.h"

#include <thread>
#include <vector>

namespace {

TEST(Base, LastErrorIsPerThread)
{
    // The threads hand over with atomics only: any other system call between
    // SetLastError and GetLastError could legitimately change the value.
    std::atomic<int> step{0};
    DWORD seenFirst = 0, seenSecond = 0;
    std::thread first([&] {
        SetLastError(ERROR_ACCESS_DENIED);
        step = 1;
        while (step != 2) {
        }
        seenFirst = GetLastError();
    });
    std::thread second([&] {
        while (step != 1) {
        }
        SetLastError(ERROR_FILE_NOT_FOUND);
        step = 2;
        seenSecond = GetLastError();
    });
    first.join();
    second.join();
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), seenFirst) << "another thread's SetLastError was seen";
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), seenSecond);
}

TEST(Base, LocalAllocZeroesOnRequestAndAlwaysGivesAPointer)
{
    for (SIZE_T size : {SIZE_T(0), SIZE_T(4096)}) {
        auto* zeroed = static_cast<unsigned char*>(LocalAlloc(LPTR, size));
        ASSERT_NE(nullptr, zeroed) << size;
        for (SIZE_T i = 0; i < size; ++i) ASSERT_EQ(0, zeroed[i]) << "byte " << i;
        EXPECT_EQ(nullptr, LocalFree(zeroed)) << "LocalFree reports success as NULL";
    }
}

TEST(Base, InterlockedCountsAreExactUnderContention)
{
    volatile LONG value = 5;
    EXPECT_EQ(6, InterlockedIncrement(&value));
    EXPECT_EQ(5, InterlockedDecrement(&value));
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&value] {
            for (int i = 0; i < 100000; ++i) InterlockedIncrement(&value);
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(200005, value);
}

}  // namespace
