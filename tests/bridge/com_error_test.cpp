// _com_error: its message, the six-line report, sharing the error information,
// and when a failure carries the thread's error information.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bridge/com_error.h"
#include "plugin/web_plugin.h"
#include "tests/bridge/bridge_test_support.h"
#include "tests/support/trace_capture.h"

namespace jvelweb::testing {
namespace {

using Lines = std::vector<std::string>;

struct MessageRow {
    HRESULT hr;
    const char* hex;       // as the report's third line
    const char* message;   // as Message() and the fourth line, with Windows' texts
    const char* fallback;  // the same where the system has no text; null: as `message`
};

// Windows' system texts without "\r\n", an insert kept as written, and the
// fallbacks on both sides of each edge of the IDispatch range.
const MessageRow kMessages[] = {
    {E_POINTER, "80004003", "Invalid pointer", "Unknown error 0x80004003"},
    {REGDB_E_CLASSNOTREG, "80040154", "Class not registered", "Unknown error 0x80040154"},
    {E_OUTOFMEMORY, "8007000e", "Not enough memory resources are available to complete this operation.",
     "Unknown error 0x8007000E"},
    {HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT), "800700c1", "%1 is not a valid Win32 application.",
     "Unknown error 0x800700C1"},
    {HRESULT(0x80040200), "80040200", "Unknown error 0x80040200", nullptr},
    {HRESULT(0x80040201), "80040201", "IDispatch error #1", nullptr},
    {HRESULT(0x8004ABCD), "8004abcd", "IDispatch error #43469", nullptr},
    {HRESULT(0x8004FFFF), "8004ffff", "IDispatch error #65023", nullptr},
    {HRESULT(0x80050000), "80050000", "Unknown error 0x80050000", nullptr},
};

#ifdef _WIN32
// The system's own text for `hr` as FormatMessage gives it ("" for none).
std::string SystemText(HRESULT hr)
{
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        DWORD(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text,
                                        nullptr);
    return std::string(text, length);
}
#endif

// What Message() gives. The portable layer words its texts as Windows does,
// so the row's text is expected exactly. The system's COM may word them its
// own way or have none (Wine does both): there the expectation is the
// system's text without its line break, or the fallback where it has none.
std::string ExpectedMessage(const MessageRow& row)
{
#ifdef _WIN32
    const std::string system = SystemText(row.hr);
    if (system.empty()) return row.fallback != nullptr ? row.fallback : row.message;
    EXPECT_EQ(system.substr(system.size() - std::min<size_t>(2, system.size())), "\r\n") << system;
    return system.substr(0, system.size() - 2);
#else
    return row.message;
#endif
}

class ComErrorMessage : public ::testing::TestWithParam<MessageRow> {};

TEST_P(ComErrorMessage, ReportsSixLinesWithNullTextsWithoutErrorInfo)
{
    const MessageRow& row = GetParam();
    const std::string message = ExpectedMessage(row);
    TraceCapture trace;
    _com_error error(row.hr, nullptr);
    ComErrorReport(nullptr, error);
    EXPECT_EQ(trace.Lines(), (Lines{" ", "JVelWeb COM Exception:", row.hex, message, "(null)", "(null)"}));

    const char* first = error.Message();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, message);
    EXPECT_EQ(static_cast<const void*>(error.Message()), static_cast<const void*>(first)) << "made again";
}

INSTANTIATE_TEST_SUITE_P(Codes, ComErrorMessage, ::testing::ValuesIn(kMessages),
                         [](const ::testing::TestParamInfo<MessageRow>& info) { return std::string(info.param.hex); });

#ifdef _WIN32
// The table reaches both ways of making a message on this system: some of its
// codes have a system text and some have none.
TEST(ComErrorMessageSources, SystemTextsAndFallbacksBothOccur)
{
    int withText = 0, withoutText = 0;
    for (const MessageRow& row : kMessages) ++(SystemText(row.hr).empty() ? withoutText : withText);
    EXPECT_GT(withText, 0);
    EXPECT_GT(withoutText, 0);
}
#endif

struct InfoRow {
    const char16_t* source;  // null: never set
    const char16_t* description;
    const char* sourceLine;
    const char* descriptionLine;
};

TEST(ComErrorReport, TracesSourceAndDescriptionOfTheErrorInfo)
{
    const MessageRow kException = {DISP_E_EXCEPTION, "80020009", "Exception occurred.", "Unknown error 0x80020009"};
    const InfoRow rows[] = {
        {u"Probe \u00E9 source", u"Price \u20AC \U0001F600", "Probe \xC3\xA9 source",
         "Price \xE2\x82\xAC \xED\xA0\xBD\xED\xB8\x80"},
        {nullptr, u"only a description", "(null)", "only a description"},
        {u"", nullptr, "", "(null)"},
    };
    for (const InfoRow& row : rows) {
        SCOPED_TRACE(row.descriptionLine);
        const LONG liveStrings = LiveStrings();
        const LONG liveErrors = LiveErrorObjects();
        {
            TraceCapture trace;
            _com_error error(DISP_E_EXCEPTION, NewErrorInfo(row.source, row.description));
            ASSERT_NE(error.ErrorInfo(), nullptr);
            ComErrorReport(nullptr, error);
            EXPECT_EQ(trace.Lines(), (Lines{" ", "JVelWeb COM Exception:", "80020009", ExpectedMessage(kException),
                                            row.sourceLine, row.descriptionLine}));
        }
        EXPECT_LIVE(LiveErrorObjects(), liveErrors) << "error object not released";
        EXPECT_LIVE(LiveStrings(), liveStrings) << "report leaked a BSTR";
    }
}

TEST(ComErrorCopy, SharesTheErrorInfoWithItsOwnReferenceAndOwnMessage)
{
    const LONG liveErrors = LiveErrorObjects();
    auto original = std::make_unique<_com_error>(E_FAIL, NewErrorInfo(u"src", u"desc"));
    const char* originalMessage = original->Message();
    auto copy = std::make_unique<_com_error>(*original);
    EXPECT_EQ(copy->ErrorInfo(), original->ErrorInfo());
    EXPECT_EQ(Hex(copy->Error()), Hex(E_FAIL));
    EXPECT_NE(static_cast<const void*>(copy->Message()), static_cast<const void*>(originalMessage))
        << "a copy must not share the text the original frees";
    original.reset();

    EXPECT_LIVE(LiveErrorObjects(), liveErrors + 1) << "the copy holds no reference of its own";
    EXPECT_STREQ(copy->Description().NarrowText(), "desc");
    EXPECT_EQ(std::string(copy->Message()), std::string(_com_error(E_FAIL, nullptr).Message()));
    copy.reset();
    EXPECT_LIVE(LiveErrorObjects(), liveErrors) << "a reference was not released";
}

// An object whose ISupportErrorInfo (when offered) answers `answer`; owned by
// the test, it counts references and records the interface asked about.
class SupportObject final : public ISupportErrorInfo {
public:
    bool offers = true;
    HRESULT answer = S_OK;
    IID askedFor = GUID_NULL;
    int asked = 0;
    ULONG refs = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !(offers && IsEqualIID(riid, IID_ISupportErrorInfo)))
            return E_NOINTERFACE;
        *object = static_cast<ISupportErrorInfo*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override
    {
        ++asked;
        askedFor = riid;
        return answer;
    }
};

TEST(RaiseComErrorWithInfo, CarriesThePendingErrorInfoOnlyWhenTheObjectSaysSOk)
{
    enum class Object { Null, WithoutSupport, WithSupport };
    struct Row {
        const char* name;
        Object object;
        HRESULT answer;
        bool carries;
    };
    const Row rows[] = {
        {"S_OK", Object::WithSupport, S_OK, true},
        {"S_FALSE", Object::WithSupport, S_FALSE, false},
        {"another success code", Object::WithSupport, HRESULT(2), false},
        {"a failure", Object::WithSupport, E_NOTIMPL, false},
        {"no ISupportErrorInfo", Object::WithoutSupport, S_OK, false},
        {"null object", Object::Null, S_OK, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClearPendingErrorInfo();
        const LONG liveErrors = LiveErrorObjects();
        SupportObject object;
        object.offers = row.object == Object::WithSupport;
        object.answer = row.answer;
        IErrorInfo* pending = NewErrorInfo(u"pending source", u"pending description");
        ASSERT_EQ(Hex(SetErrorInfo(0, pending)), Hex(S_OK));
        pending->Release();

        bool thrown = false;
        try {
            RaiseComErrorWithInfo(DISP_E_EXCEPTION, row.object == Object::Null ? nullptr : &object, IID_IWebPlugin2);
        } catch (const _com_error& error) {
            thrown = true;
            EXPECT_EQ(Hex(error.Error()), Hex(DISP_E_EXCEPTION));
            if (row.carries) {
                EXPECT_EQ(error.ErrorInfo(), pending);
                IErrorInfo* left = nullptr;
                EXPECT_EQ(Hex(GetErrorInfo(0, &left)), Hex(S_FALSE)) << "the slot's reference was not taken over";
                if (left != nullptr) left->Release();
            } else {
                EXPECT_EQ(error.ErrorInfo(), nullptr);
            }
        }
        EXPECT_TRUE(thrown);
        ClearPendingErrorInfo();
        EXPECT_LIVE(LiveErrorObjects(), liveErrors) << "error object leaked";
        EXPECT_EQ(object.refs, 0u) << "ISupportErrorInfo reference not released";
        if (row.object == Object::WithSupport) {
            EXPECT_EQ(object.asked, 1);
            EXPECT_TRUE(IsEqualIID(object.askedFor, IID_IWebPlugin2)) << "asked about another interface";
        }
    }
}

}  // namespace
}  // namespace jvelweb::testing
