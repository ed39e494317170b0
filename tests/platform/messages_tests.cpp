// FormatMessageA: system texts as Windows words them (each ending in "\r\n"),
// the no-text path callers fall back on, buffer ownership and inserts.
#include "test_support.h"

#include <cstdarg>
#include <cstring>

namespace {

const DWORD systemFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

struct TextCase {
    DWORD id;
    const char* text;
};

TEST(FormatMessage, SystemTextsReadAsOnWindows)
{
    const TextCase cases[] = {
        {DWORD(S_OK), "The operation completed successfully.\r\n"},
        {DWORD(E_NOTIMPL), "Not implemented\r\n"},
        {DWORD(E_NOINTERFACE), "No such interface supported\r\n"},
        {DWORD(E_POINTER), "Invalid pointer\r\n"},
        {DWORD(E_ABORT), "Operation aborted\r\n"},
        {DWORD(E_FAIL), "Unspecified error\r\n"},
        {DWORD(E_UNEXPECTED), "Catastrophic failure\r\n"},
        {DWORD(E_ACCESSDENIED), "Access is denied.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {DWORD(E_HANDLE), "The handle is invalid.\r\n"},
        {DWORD(E_OUTOFMEMORY), "Not enough memory resources are available to complete this operation.\r\n"},
        {DWORD(E_INVALIDARG), "The parameter is incorrect.\r\n"},
        {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
        {DWORD(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), "The system cannot find the file specified.\r\n"},
        {DWORD(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)), "The specified module could not be found.\r\n"},
        {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found.\r\n"},
        {DWORD(REGDB_E_CLASSNOTREG), "Class not registered\r\n"},
        {DWORD(CO_E_NOTINITIALIZED), "CoInitialize has not been called.\r\n"},
        {DWORD(DISP_E_BADVARTYPE), "Bad variable type.\r\n"},
        {DWORD(DISP_E_MEMBERNOTFOUND), "Member not found.\r\n"},
        {DWORD(DISP_E_EXCEPTION), "Exception occurred.\r\n"},
        {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application.\r\n"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(hex(HRESULT(c.id)));
        char buffer[256];
        std::memset(buffer, 'X', sizeof buffer);
        const DWORD length = FormatMessageA(systemFlags, nullptr, c.id, 0, buffer, sizeof buffer, nullptr);
        EXPECT_EQ(std::strlen(c.text), length);
        EXPECT_STREQ(c.text, buffer);
    }
}

TEST(FormatMessage, AllocatedBufferBelongsToTheCaller)
{
    char* text = reinterpret_cast<char*>(1);
    const DWORD length = FormatMessageA(systemFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, DWORD(E_FAIL),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text),
                                        0, nullptr);
    ASSERT_EQ(std::strlen("Unspecified error\r\n"), length);
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("Unspecified error\r\n", text);
    EXPECT_EQ(nullptr, LocalFree(text));

    text = reinterpret_cast<char*>(1);
    EXPECT_EQ(0u, FormatMessageA(systemFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, 0x20001234, 0,
                                 reinterpret_cast<LPSTR>(&text), 0, nullptr));
    EXPECT_EQ(nullptr, text) << "a failed call must not leave a pointer to free";
}

TEST(FormatMessage, FailuresSetTheLastError)
{
    struct Case {
        const char* name;
        DWORD flags;
        DWORD id;
        DWORD language;
        DWORD size;
        DWORD error;
    } cases[] = {
        {"no text for the id", systemFlags, 0x20001234, 0, 256, ERROR_MR_MID_NOT_FOUND},
        {"buffer one char short", systemFlags, DWORD(E_FAIL), 0, DWORD(std::strlen("Unspecified error\r\n")),
         ERROR_INSUFFICIENT_BUFFER},
        {"insert without arguments", FORMAT_MESSAGE_FROM_SYSTEM, ERROR_BAD_EXE_FORMAT, 0, 256,
         ERROR_INVALID_PARAMETER},
#ifndef _WIN32
        {"interface range has no text", systemFlags, 0x80040201, 0, 256, ERROR_MR_MID_NOT_FOUND},
        {"language without texts", systemFlags, DWORD(E_FAIL), 0x0407, 256, ERROR_RESOURCE_LANG_NOT_FOUND},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[256] = "";
        SetLastError(0);
        EXPECT_EQ(0u, FormatMessageA(c.flags, nullptr, c.id, c.language, buffer, c.size, nullptr));
        EXPECT_EQ(c.error, GetLastError());
    }
    SetLastError(0);
    EXPECT_EQ(0u, FormatMessageA(systemFlags, nullptr, DWORD(E_FAIL), 0, nullptr, 256, nullptr));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

DWORD formatWithList(DWORD flags, const void* source, DWORD id, char* buffer, DWORD size, ...)
{
    va_list arguments;
    va_start(arguments, size);
    const DWORD length = FormatMessageA(flags, source, id, 0, buffer, size, &arguments);
    va_end(arguments);
    return length;
}

TEST(FormatMessage, InsertsComeFromArgumentArraysAndVaLists)
{
    char buffer[256];
    const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>("plugin.dll")};
    const char* expected = "plugin.dll is not a valid Win32 application.\r\n";
    EXPECT_EQ(std::strlen(expected), FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                                    nullptr, ERROR_BAD_EXE_FORMAT, 0, buffer, sizeof buffer,
                                                    const_cast<DWORD_PTR*>(arguments)));
    EXPECT_STREQ(expected, buffer);
    EXPECT_EQ(std::strlen(expected),
              formatWithList(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_BAD_EXE_FORMAT, buffer, sizeof buffer,
                             "plugin.dll"));
    EXPECT_STREQ(expected, buffer);
}

TEST(FormatMessage, StringsExpandInsertsAndEscapes)
{
    const TextCase cases[] = {
        {0, "plain"},        {0, "%1 and %2|one and two"}, {0, "%2%1%2|twoonetwo"}, {0, "100%%|100%"},
        {0, "a%nb|a\r\nb"},  {0, "kept%0dropped|kept"},    {0, "%1!s!|one"},         {0, "%.%!%%|.!%"},
    };
    for (const TextCase& c : cases) {
        const std::string pattern(c.text);
        const auto bar = pattern.find('|');
        const std::string source = pattern.substr(0, bar);
        const std::string expected = bar == std::string::npos ? source : pattern.substr(bar + 1);
        SCOPED_TRACE(source);
        char buffer[64] = "";
        const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>("one"), reinterpret_cast<DWORD_PTR>("two")};
        EXPECT_EQ(expected.size(), FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                                  source.c_str(), 0, 0, buffer, sizeof buffer,
                                                  const_cast<DWORD_PTR*>(arguments)));
        EXPECT_EQ(expected, buffer);
        EXPECT_EQ(expected.size(), formatWithList(FORMAT_MESSAGE_FROM_STRING, source.c_str(), 0, buffer,
                                                  sizeof buffer, "one", "two"))
            << "from a va_list";
        EXPECT_EQ(expected, buffer);
    }
}

}  // namespace
