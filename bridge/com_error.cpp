#include "bridge/com_error.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "bridge/trace.h"

namespace jvelweb {
namespace {

// The IDispatch error range: codes 0x80040200 to 0x8004FFFF that have no
// system text are reported by their offset into it.
constexpr uint32_t kDispatchErrorBase = 0x80040200u;
constexpr uint32_t kDispatchErrorLast = 0x8004FFFFu;
constexpr size_t kFallbackBytes = 32;

char* SystemMessage(HRESULT hresult)
{
    char* text = nullptr;
    // FORMAT_MESSAGE_IGNORE_INSERTS: some system texts have inserts (%1) and
    // no arguments are passed, which FormatMessage would otherwise read.
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hresult), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
        nullptr);
    if (length == 0 || text == nullptr) {
        if (text != nullptr) LocalFree(text);
        return nullptr;
    }
    // Drop the one trailing line break ("\r\n" or "\n") the system appends.
    size_t n = std::strlen(text);
    if (n > 1 && text[n - 1] == '\n') {
        text[--n] = '\0';
        if (text[n - 1] == '\r') text[--n] = '\0';
    }
    return text;
}

char* FallbackMessage(HRESULT hresult)
{
    char* text = static_cast<char*>(LocalAlloc(LMEM_FIXED, kFallbackBytes));
    if (text == nullptr) return nullptr;
    const uint32_t code = static_cast<uint32_t>(hresult);
    const unsigned dispatchCode =
        (code >= kDispatchErrorBase && code <= kDispatchErrorLast) ? static_cast<uint16_t>(code - kDispatchErrorBase) : 0;
    if (dispatchCode != 0)
        std::snprintf(text, kFallbackBytes, "IDispatch error #%u", dispatchCode);
    else
        std::snprintf(text, kFallbackBytes, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    return text;
}

// One report line from an error-information text; a text that cannot be had
// (no memory) is traced as a null line rather than raised out of the report.
void TraceText(JNIEnv* env, SharedWideString (_com_error::*get)() const, const _com_error& error) noexcept
{
    try {
        SharedWideString text = (error.*get)();
        Trace(env, text.NarrowText());
    } catch (const _com_error&) {
        Trace(env, nullptr);
    }
}

SharedWideString AdoptErrorText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*))
{
    if (info == nullptr) return SharedWideString();
    BSTR text = nullptr;
    (info->*get)(&text);  // its HRESULT says nothing the text does not
    return SharedWideString::Adopt(text);
}

}  // namespace

_com_error::_com_error(HRESULT hresult, IErrorInfo* errorInfo) noexcept : hresult_(hresult), errorInfo_(errorInfo) {}

_com_error::_com_error(const _com_error& other) noexcept : hresult_(other.hresult_), errorInfo_(other.errorInfo_)
{
    if (errorInfo_ != nullptr) errorInfo_->AddRef();
}

_com_error::~_com_error()
{
    if (errorInfo_ != nullptr) errorInfo_->Release();
    if (messageText_ != nullptr) LocalFree(messageText_);
}

const char* _com_error::Message() const noexcept
{
    if (messageText_ == nullptr) {
        messageText_ = SystemMessage(hresult_);
        if (messageText_ == nullptr) messageText_ = FallbackMessage(hresult_);
    }
    return messageText_;
}

SharedWideString _com_error::Source() const { return AdoptErrorText(errorInfo_, &IErrorInfo::GetSource); }

SharedWideString _com_error::Description() const { return AdoptErrorText(errorInfo_, &IErrorInfo::GetDescription); }

void RaiseComError(HRESULT hresult) { throw _com_error(hresult, nullptr); }

void RaiseComErrorWithInfo(HRESULT hresult, IUnknown* object, REFIID interfaceId)
{
    IErrorInfo* errorInfo = nullptr;
    if (object != nullptr) {
        ISupportErrorInfo* support = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
            support != nullptr) {
            const HRESULT supported = support->InterfaceSupportsErrorInfo(interfaceId);
            support->Release();
            if (supported == S_OK && GetErrorInfo(0, &errorInfo) != S_OK) errorInfo = nullptr;
        }
    }
    throw _com_error(hresult, errorInfo);
}

void ComErrorReport(JNIEnv* env, const _com_error& error) noexcept
{
    char code[16];
    std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(error.Error()));
    Trace(env, " ");
    Trace(env, "JVelWeb COM Exception:");
    Trace(env, code);
    Trace(env, error.Message());
    TraceText(env, &_com_error::Source, error);
    TraceText(env, &_com_error::Description, error);
}

}  // namespace jvelweb
