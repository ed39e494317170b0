// Win32 base services: the last error is per thread, LocalAlloc memory is
// zeroed on request, Interlocked* are atomic and return the new value.
#include "test_support.h"

#include <thread>
#include <vector>

namespace {

TEST(Base, LastErrorIsPerThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    std::thread([] {
        EXPECT_EQ(DWORD(ERROR_SUCCESS), GetLastError()) << "a new thread inherited the last error";
        SetLastError(ERROR_FILE_NOT_FOUND);
    }).join();
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
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
