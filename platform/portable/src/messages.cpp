// FormatMessageA: the system's message texts for the Win32 errors and HRESULTs
// this project meets, in Windows' English wording and with its "\r\n" endings,
// so text shown to users reads the same on every platform. Codes in the
// interface range (FACILITY_ITF, 0x80040200 and up) deliberately have no text:
// callers fall back to their own description for them.
#include "platform/com.h"

#include <cstdarg>
#include <cstring>
#include <string>

namespace {

struct SystemMessage {
    DWORD id;
    const char* text;
};

// Win32 error codes. HRESULT_FROM_WIN32 codes (0x8007xxxx, E_ACCESSDENIED,
// E_HANDLE, E_OUTOFMEMORY, E_INVALIDARG among them) find their text here.
const SystemMessage win32Messages[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_OUTOFMEMORY, "Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found.\r\n"},
    {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application.\r\n"},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for %2.\r\n"},
    {ERROR_NO_UNICODE_TRANSLATION,
     "No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {ERROR_ALREADY_INITIALIZED,
     "An attempt was made to perform an initialization operation when initialization has already been "
     "completed.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_LANG_NOT_FOUND, "The specified resource language ID cannot be found in the image file.\r\n"},
};

// HRESULTs that are not Win32 codes in disguise.
const SystemMessage hresultMessages[] = {
    {DWORD(E_UNEXPECTED), "Catastrophic failure\r\n"},
    {DWORD(E_NOTIMPL), "Not implemented\r\n"},
    {DWORD(E_NOINTERFACE), "No such interface supported\r\n"},
    {DWORD(E_POINTER), "Invalid pointer\r\n"},
    {DWORD(E_ABORT), "Operation aborted\r\n"},
    {DWORD(E_FAIL), "Unspecified error\r\n"},
    {DWORD(CLASS_E_NOAGGREGATION), "Class does not support aggregation (or class object is remote)\r\n"},
    {DWORD(CLASS_E_CLASSNOTAVAILABLE), "ClassFactory cannot supply requested class\r\n"},
    {DWORD(REGDB_E_CLASSNOTREG), "Class not registered\r\n"},
    {DWORD(CO_E_NOTINITIALIZED), "CoInitialize has not been called.\r\n"},
    {DWORD(CO_E_DLLNOTFOUND), "DLL for class not found\r\n"},
    {DWORD(CO_E_ERRORINDLL), "Error in the DLL\r\n"},
    {DWORD(CO_E_OBJNOTREG), "Object is not registered\r\n"},
    {DWORD(RPC_E_CHANGED_MODE), "Cannot change thread mode after it is set.\r\n"},
    {DWORD(DISP_E_UNKNOWNINTERFACE), "Unknown interface.\r\n"},
    {DWORD(DISP_E_MEMBERNOTFOUND), "Member not found.\r\n"},
    {DWORD(DISP_E_PARAMNOTFOUND), "Parameter not found.\r\n"},
    {DWORD(DISP_E_TYPEMISMATCH), "Type mismatch.\r\n"},
    {DWORD(DISP_E_UNKNOWNNAME), "Unknown name.\r\n"},
    {DWORD(DISP_E_BADVARTYPE), "Bad variable type.\r\n"},
    {DWORD(DISP_E_EXCEPTION), "Exception occurred.\r\n"},
    {DWORD(DISP_E_OVERFLOW), "Out of present range.\r\n"},
    {DWORD(DISP_E_BADINDEX), "Invalid index.\r\n"},
    {DWORD(DISP_E_ARRAYISLOCKED), "Memory is locked.\r\n"},
    {DWORD(DISP_E_BADPARAMCOUNT), "Invalid number of parameters.\r\n"},
};

template <size_t N>
const char* find(const SystemMessage (&table)[N], DWORD id)
{
    for (const SystemMessage& message : table)
        if (message.id == id) return message.text;
    return nullptr;
}

const char* systemText(DWORD id)
{
    if (const char* text = find(hresultMessages, id)) return text;
    if ((id & 0xFFFF0000u) == 0x80070000u) id &= 0xFFFFu;  // HRESULT_FROM_WIN32
    return find(win32Messages, id);
}

// The message tables here are English; neutral, the user's and the system's
// default and US English all select them.
bool languageAvailable(DWORD language)
{
    constexpr DWORD userDefault = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
    constexpr DWORD systemDefault = MAKELANGID(LANG_NEUTRAL, 0x02);  // SUBLANG_SYS_DEFAULT
    return language == 0 || language == userDefault || language == systemDefault ||
           language == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// The insert arguments: an array of DWORD_PTR (FORMAT_MESSAGE_ARGUMENT_ARRAY)
// or a va_list* that is read in order. Each insert is a string (!s!).
class InsertArguments {
public:
    InsertArguments(void* arguments, bool isArray) : arguments(arguments), isArray(isArray) {}

    bool available() const { return arguments != nullptr; }

    const char* get(unsigned number)
    {
        const char* text;
        if (isArray) {
            text = reinterpret_cast<const char*>(static_cast<const DWORD_PTR*>(arguments)[number - 1]);
        } else {
            // A va_list can only be read forward; later inserts may repeat
            // earlier ones, so what has been read is kept.
            while (fetchedCount < number)
                fetched[fetchedCount++] = va_arg(*static_cast<va_list*>(arguments), const char*);
            text = fetched[number - 1];
        }
        return text != nullptr ? text : "(null)";
    }

private:
    void* arguments;
    bool isArray;
    const char* fetched[99] = {};  // inserts are numbered 1 to 99
    unsigned fetchedCount = 0;
};

// Expands %1..%99 inserts and the escapes %0 (end, no line break), %n (line
// break, "\r\n"), %r, %t, %% and %. %! %<space>. Only the string insert format
// is supported. Returns ERROR_SUCCESS or the error to report.
DWORD expandInserts(const char* text, InsertArguments& arguments, std::string& out)
{
    for (const char* p = text; *p != 0; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char next = *++p;
        if (next == 0) {
            out += '%';
            break;
        }
        if (next >= '1' && next <= '9') {
            unsigned number = unsigned(next - '0');
            if (p[1] >= '0' && p[1] <= '9') number = number * 10 + unsigned(*++p - '0');
            if (p[1] == '!') {
                const char* close = std::strchr(p + 2, '!');
                if (close == nullptr || std::string(p + 2, close) != "s") return ERROR_INVALID_PARAMETER;
                p = close;
            }
            // No arguments: fail rather than read ones that were never passed.
            if (!arguments.available()) return ERROR_INVALID_PARAMETER;
            out += arguments.get(number);
            continue;
        }
        switch (next) {
        case '0': return ERROR_SUCCESS;
        case 'n': out += "\r\n"; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: out += next; break;  // %% %. %! %<space> and anything else
        }
    }
    return ERROR_SUCCESS;
}

// Finds the text to format, or returns the error to report.
DWORD messageSource(DWORD flags, const void* source, DWORD id, DWORD language, const char*& text)
{
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        text = static_cast<const char*>(source);
        return text != nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    }
    if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
        if (!languageAvailable(language)) return ERROR_RESOURCE_LANG_NOT_FOUND;
        text = systemText(id);
        return text != nullptr ? ERROR_SUCCESS : ERROR_MR_MID_NOT_FOUND;
    }
    // Modules carry no message tables here.
    return (flags & FORMAT_MESSAGE_FROM_HMODULE) ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_INVALID_PARAMETER;
}

DWORD fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

}  // namespace

// Formats a message as Windows' FormatMessageA does, for
// FORMAT_MESSAGE_FROM_SYSTEM (messageId is a Win32 code or an HRESULT) and
// FORMAT_MESSAGE_FROM_STRING (source is the text).
// flags: also FORMAT_MESSAGE_ALLOCATE_BUFFER (then buffer is really a char**
// that receives a LocalAlloc'd text the caller frees with LocalFree, and size is
// the least number of chars to allocate), FORMAT_MESSAGE_IGNORE_INSERTS (%1 and
// the escapes are copied as they are), FORMAT_MESSAGE_ARGUMENT_ARRAY (arguments
// is an array of DWORD_PTR, else a va_list*). The line width bits are ignored:
// line breaks are kept as the text has them.
// languageId: 0, the user or system default, or US English; any other gives
// ERROR_RESOURCE_LANG_NOT_FOUND.
// Returns the number of chars stored, without the terminating zero; 0 on
// failure with the reason in GetLastError(): ERROR_MR_MID_NOT_FOUND when the
// system has no text for the id, ERROR_INSUFFICIENT_BUFFER when size is too
// small, ERROR_INVALID_PARAMETER for a NULL buffer or inserts with no
// arguments.
STDAPI_(DWORD) FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, LPSTR buffer,
                              DWORD size, void* arguments)
{
    if (buffer == nullptr) return fail(ERROR_INVALID_PARAMETER);
    const bool allocate = (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0;
    if (allocate) *reinterpret_cast<char**>(buffer) = nullptr;
    const char* text = nullptr;
    DWORD error = messageSource(flags, source, messageId, languageId, text);
    if (error != ERROR_SUCCESS) return fail(error);
    try {
        std::string formatted;
        if (flags & FORMAT_MESSAGE_IGNORE_INSERTS) {
            formatted = text;
        } else {
            InsertArguments inserts(arguments, (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0);
            if ((error = expandInserts(text, inserts, formatted)) != ERROR_SUCCESS) return fail(error);
        }
        const size_t length = formatted.size();
        if (allocate) {
            const size_t bytes = length + 1 > size ? length + 1 : size;
            auto* allocated = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
            if (allocated == nullptr) return fail(ERROR_NOT_ENOUGH_MEMORY);
            std::memcpy(allocated, formatted.c_str(), length + 1);
            *reinterpret_cast<char**>(buffer) = allocated;
        } else {
            if (length + 1 > size) return fail(ERROR_INSUFFICIENT_BUFFER);
            std::memcpy(buffer, formatted.c_str(), length + 1);
        }
        return DWORD(length);
    } catch (...) {
        return fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}
