// FormatMessageA: system texts as Windows words them (ending in "\r\n"), the
// no-text path callers fall back on, buffer ownership and inserts.
#include "test_support.h"

#include <cstdarg>
#include <cstring>

namespace {

const DWORD systemFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

DWORD formatWithList(DWORD flags, const void* source, DWORD id, char* buffer, DWORD size, ...)
{
    va_list arguments;
    va_start(arguments, size);
    const DWORD length = FormatMessageA(flags, source, id, 0, buffer, size, &arguments);
    va_end(arguments);
    return length;
}

TEST(Messages, SystemTextsReadAsOnWindows)
{
    const struct {
        HRESULT id;
        const char* text;
    } cases[] = {
        {S_OK, "The operation completed successfully.\r\n"},
        {E_NOTIMPL, "Not implemented\r\n"},
        {E_NOINTERFACE, "No such interface supported\r\n"},
        {E_POINTER, "Invalid pointer\r\n"},
        {E_FAIL, "Unspecified error\r\n"},
        {E_UNEXPECTED, "Catastrophic failure\r\n"},
        {E_ACCESSDENIED, "Access is denied.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation.\r\n"},
        {E_INVALIDARG, "The parameter is incorrect.\r\n"},
        {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), "The specified module could not be found.\r\n"},
        {REGDB_E_CLASSNOTREG, "Class not registered\r\n"},
        {CO_E_NOTINITIALIZED, "CoInitialize has not been called.\r\n"},
        {DISP_E_BADVARTYPE, "Bad variable type.\r\n"},
        {DISP_E_EXCEPTION, "Exception occurred.\r\n"},
        {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.id));
        char buffer[256] = "";
        SetLastError(0);
        const DWORD length = FormatMessageA(systemFlags, nullptr, DWORD(c.id), 0, buffer, sizeof buffer, nullptr);
#ifdef _WIN32
        // The system's own texts, whose wording is not ours to check (Wine's
        // differs from Windows' and lacks most COM codes): each text it has
        // is counted exactly and ends in "\r\n", one it lacks is reported as
        // missing, and Win32 error codes always have one.
        const bool win32Code = HRESULT_FACILITY(c.id) == FACILITY_WIN32 || (c.id & 0xFFFF0000) == 0;
        if (length == 0) {
            EXPECT_FALSE(win32Code) << "no text for a Win32 error code";
            EXPECT_EQ(DWORD(ERROR_MR_MID_NOT_FOUND), GetLastError());
            continue;
        }
        EXPECT_EQ(std::strlen(buffer), length);
        ASSERT_GE(length, 3u) << buffer;
        EXPECT_STREQ("\r\n", buffer + length - 2);
        EXPECT_EQ(buffer + length - 1, std::strchr(buffer, '\n')) << "a line break before the end: " << buffer;
#else
        EXPECT_EQ(std::strlen(c.text), length);
        EXPECT_STREQ(c.text, buffer);
#endif
    }
}

// The text of E_FAIL, which every implementation has.
std::string unspecifiedError()
{
    char buffer[256] = "";
    FormatMessageA(systemFlags, nullptr, DWORD(E_FAIL), 0, buffer, sizeof buffer, nullptr);
    return buffer;
}

TEST(Messages, AllocatedBufferBelongsToTheCaller)
{
    char* text = nullptr;
    const std::string expected = unspecifiedError();
    ASSERT_EQ(expected.size(), FormatMessageA(systemFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, DWORD(E_FAIL),
                                              MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                              reinterpret_cast<LPSTR>(&text), 0, nullptr));
    EXPECT_EQ(expected, text);
    EXPECT_EQ(nullptr, LocalFree(text));
    text = reinterpret_cast<char*>(1);
    EXPECT_EQ(0u, FormatMessageA(systemFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, 0x20001234, 0,
                                 reinterpret_cast<LPSTR>(&text), 0, nullptr));
    EXPECT_EQ(nullptr, text) << "a failed call must not leave a pointer to free";
}

TEST(Messages, FailuresSetTheLastError)
{
    const struct {
        const char* name;
        DWORD flags, id, language, size, error;
    } cases[] = {
        {"no text for the id", systemFlags, 0x20001234, 0, 256, ERROR_MR_MID_NOT_FOUND},
        {"buffer one char short", systemFlags, DWORD(E_FAIL), 0, DWORD(unspecifiedError().size()),
         ERROR_INSUFFICIENT_BUFFER},
        {"insert without arguments", FORMAT_MESSAGE_FROM_SYSTEM, ERROR_BAD_EXE_FORMAT, 0, 256, ERROR_INVALID_PARAMETER},
#ifndef _WIN32
        {"interface range has no text", systemFlags, 0x80040201, 0, 256, ERROR_MR_MID_NOT_FOUND},
        {"language without texts", systemFlags, DWORD(E_FAIL), 0x0407, 256, ERROR_RESOURCE_LANG_NOT_FOUND},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[256] = "";
        SetLastError(0);
        EXPECT_EQ(0u, FormatMessageA(c.flags, nullptr, c.id, c.language, buffer, c.size, nullptr));
        EXPECT_EQ(c.error, GetLastError());
    }
#ifndef _WIN32
    // Implementations differ on a NULL buffer (Wine returns the length and
    // writes nothing); the layer refuses it.
    EXPECT_EQ(0u, FormatMessageA(systemFlags, nullptr, DWORD(E_FAIL), 0, nullptr, 256, nullptr));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
#endif
}

TEST(Messages, InsertsAndEscapesExpandFromArraysAndVaLists)
{
    // Windows types the argument as va_list* even when it is an array.
    DWORD_PTR array[] = {reinterpret_cast<DWORD_PTR>("one"), reinterpret_cast<DWORD_PTR>("two")};
    auto* arguments = reinterpret_cast<va_list*>(array);
    const DWORD fromString = FORMAT_MESSAGE_FROM_STRING;
    const struct {
        const char *source, *expected;
    } cases[] = {
        {"%1 and %2", "one and two"}, {"%2%1%2", "twoonetwo"},  // a va_list is read out of order too
        {"%1!s!", "one"},             {"100%% a%nb", "100% a\r\nb"},
        {"kept%0dropped", "kept"},    {"%.%!", ".!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        char buffer[64] = "";
        EXPECT_EQ(std::strlen(c.expected), FormatMessageA(fromString | FORMAT_MESSAGE_ARGUMENT_ARRAY, c.source, 0, 0,
                                                          buffer, sizeof buffer, arguments));
        EXPECT_STREQ(c.expected, buffer);
        EXPECT_EQ(std::strlen(c.expected),
                  formatWithList(fromString, c.source, 0, buffer, sizeof buffer, "one", "two"));
        EXPECT_STREQ(c.expected, buffer) << "from a va_list";
    }

    // A system text: %1 is replaced, the rest reads as without inserts.
    char raw[256] = "", expanded[256] = "";
    ASSERT_NE(0u, FormatMessageA(systemFlags, nullptr, ERROR_BAD_EXE_FORMAT, 0, raw, sizeof raw, nullptr));
    std::string expected = raw;
    ASSERT_NE(std::string::npos, expected.find("%1"));
    expected.replace(expected.find("%1"), 2, "one");
    const DWORD fromSystem = FORMAT_MESSAGE_FROM_SYSTEM;
    EXPECT_EQ(expected.size(), FormatMessageA(fromSystem | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, ERROR_BAD_EXE_FORMAT,
                                              0, expanded, sizeof expanded, arguments));
    EXPECT_EQ(expected, expanded);
    EXPECT_EQ(expected.size(),
              formatWithList(fromSystem, nullptr, ERROR_BAD_EXE_FORMAT, expanded, sizeof expanded, "one"));
    EXPECT_EQ(expected, expanded) << "from a va_list";
}

}  // namespace
