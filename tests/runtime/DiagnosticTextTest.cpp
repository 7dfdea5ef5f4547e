#include "runtime/DiagnosticText.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/WString.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::PoolBalance;
using runtime_test::Value;

TEST(QuoteText, EscapesControlUnitsQuotesAndBackslashes) {
    const struct {
        const char16_t* text;
        std::u16string quoted;
    } cases[] = {
        {nullptr, u"\"\""},
        {u"", u"\"\""},
        {u"plain", u"\"plain\""},
        {u"\b\t\n\f\r", u"\"\\b\\t\\n\\f\\r\""},
        {u"\"'\\", u"\"\\\"\\'\\\\\""},
        {u"\x01\x07\x0B\x0E\x1B\x1F", u"\"\\x01\\x07\\x0B\\x0E\\x1B\\x1F\""},
        {u"\t\x0B", u"\"\\t\\x0B\""},
        {u" ~\x7F", u"\" ~\x7F\""}, // from the space upwards nothing is escaped
        {u"中文\u3000", u"\"中文\u3000\""},
        {u"\xD800", u"\"\xD800\""}, // a lone surrogate passes as it stands
    };
    for (const auto& c : cases) {
        CWString scratch(u"previous");
        const char16_t* result = QuoteText(c.text, scratch);
        EXPECT_EQ(result, scratch.GetText());
        EXPECT_EQ(Value(scratch), c.quoted);
    }
}

TEST(QuoteText, QuotesTheScratchTextsOwnValue) {
    PoolBalance balance;
    CWString scratch(u"a\"b");
    QuoteText(scratch.GetText(), scratch);
    EXPECT_EQ(Value(scratch), u"\"a\\\"b\"");
    // Quoting the quoted form again escapes the quotes added the first time.
    QuoteText(scratch.GetText(), scratch);
    EXPECT_EQ(Value(scratch), u"\"\\\"a\\\\\\\"b\\\"\"");
}

TEST(ArrayHeader, AppliesTheLimitRules) {
    const struct {
        int64_t count;
        int32_t limit;
        std::u16string header;
        int64_t shown;
    } cases[] = {
        {0, 0, u"<数组> 总共 0 个成员:", 0},
        {64, 0, u"<数组> 总共 64 个成员:", 64},
        {65, 0, u"<数组> 总共 65 个成员,输出了 64 个,还有 1 个未被输出.", 64},
        {65, -1, u"<数组> 总共 65 个成员:", 65},
        {100000, -5, u"<数组> 总共 100000 个成员:", 100000},
        {5, 5, u"<数组> 总共 5 个成员:", 5},
        {5, 4, u"<数组> 总共 5 个成员,输出了 4 个,还有 1 个未被输出.", 4},
        {5, 1, u"<数组> 总共 5 个成员,输出了 1 个,还有 4 个未被输出.", 1},
        {0, 3, u"<数组> 总共 0 个成员:", 0},
    };
    for (const auto& c : cases) {
        CWString out(u"#");
        EXPECT_EQ(AppendArrayHeader(out, c.count, c.limit), c.shown);
        EXPECT_EQ(Value(out), u"#" + c.header);
    }
}

TEST(DumpHeader, NamesWhatIsDumpedAndUsesItsDefault) {
    CWString out;
    EXPECT_EQ(AppendDumpHeader(out, u"K", u"项", 11, 0, 10), 10);
    EXPECT_EQ(Value(out), u"<K> 总共 11 个项,输出了 10 个,还有 1 个未被输出.");
    out.SetEmpty();
    EXPECT_EQ(AppendDumpHeader(out, u"K", u"项", 10, 0, 10), 10);
    EXPECT_EQ(Value(out), u"<K> 总共 10 个项:");
    out.SetEmpty();
    EXPECT_EQ(AppendDumpHeader(out, u"K", u"项", int64_t{INT32_MAX} + 5, -1, 10),
              int64_t{INT32_MAX} + 5);
    EXPECT_EQ(Value(out), u"<K> 总共 2147483647 个项:") << "counts are clamped to 32 bits";
}

TEST(ClampToInt32, CapsLargeValues) {
    EXPECT_EQ(ClampToInt32(0), 0);
    EXPECT_EQ(ClampToInt32(-7), -7);
    EXPECT_EQ(ClampToInt32(INT32_MAX), INT32_MAX);
    EXPECT_EQ(ClampToInt32(int64_t{INT32_MAX} + 1), INT32_MAX);
    EXPECT_EQ(ClampToInt32(INT64_MAX), INT32_MAX);
}

TEST(ObjectIdentity, GivesClassNameAddressAndEmptyMark) {
    PoolBalance balance;
    CWString object;
    const std::u16string address = [&] {
        CWString text;
        text.AppendFormat(u"%I64X", {static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&object))});
        return Value(text);
    }();
    CWString out(u"#");
    AppendObjectIdentity(out, object, u"[%s] @%I64X");
    EXPECT_EQ(Value(out), u"#[CWString] @" + address);
    object.flags |= CTarnObject::kFlagEmpty;
    out.SetEmpty();
    AppendObjectIdentity(out, object, u"[%s] @%I64X");
    EXPECT_EQ(Value(out), u"[CWString] @" + address + u", 为空对象");
}

} // namespace
