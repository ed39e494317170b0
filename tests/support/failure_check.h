// Checks of the thread's failure record, shared by the natives' contract and
// the acquisition suite.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bridge/com_error.h"
#include "bridge/failure_record.h"

namespace jvelweb::testing {

// ASCII units of a record's text, other units as \uXXXX, for messages and
// comparisons with narrow literals.
inline std::string Shown(const RecordText& text)
{
    std::string shown;
    for (size_t i = 0; i < text.length; ++i) {
        const char16_t unit = text.units[i];
        if (unit >= 0x20 && unit < 0x7F) {
            shown += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(unit));
            shown += escaped;
        }
    }
    return shown;
}

// Exactly one failure since the record was cleared, and it is this one: the
// operation by name, the cause, the HRESULT, the message the report prints
// for it, and the error information's texts (null: none).
inline void ExpectOneFailure(const char* operation, FailureCause cause, HRESULT hresult,
                             const char* source = nullptr, const char* description = nullptr)
{
    EXPECT_EQ(FailureCount(), 1) << "failures recorded";
    const FailureRecord* record = LastFailure();
    ASSERT_NE(record, nullptr) << "no failure recorded";
    EXPECT_STREQ(record->operation, operation);
    EXPECT_EQ(static_cast<int>(record->cause), static_cast<int>(cause));
    EXPECT_EQ(static_cast<unsigned>(record->hresult), static_cast<unsigned>(hresult));
    const _com_error reported(hresult, nullptr);
    ASSERT_TRUE(record->message.Present());
    EXPECT_EQ(Shown(record->message), reported.Message()) << "the message differs from the report's";
    EXPECT_EQ(record->source.Present(), source != nullptr);
    if (source != nullptr) {
        EXPECT_EQ(Shown(record->source), source);
    }
    EXPECT_EQ(record->description.Present(), description != nullptr);
    if (description != nullptr) {
        EXPECT_EQ(Shown(record->description), description);
    }
}

inline void ExpectNoFailure()
{
    EXPECT_EQ(FailureCount(), 0) << "a failure was recorded";
    EXPECT_EQ(LastFailure(), nullptr);
}

}  // namespace jvelweb::testing
