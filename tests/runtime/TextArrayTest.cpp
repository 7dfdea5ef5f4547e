#include "runtime/TextArray.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/ObjectStream.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using rg_tarn_base::rg_KuoZhanDuiXiangLei;
using rg_tarn_base::rg_WenBenShuZuLei;
using runtime_test::Bytes;
using runtime_test::PoolBalance;
using runtime_test::StreamOf;
using runtime_test::Value;

using ByteList = std::vector<uint8_t>;
using Entries = std::vector<std::optional<std::u16string>>;
constexpr std::nullopt_t null = std::nullopt;

rg_WenBenShuZuLei ArrayOf(const Entries& entries) {
    rg_WenBenShuZuLei array;
    for (const auto& entry : entries) {
        array.AddText(entry ? entry->c_str() : nullptr);
    }
    return array;
}

Entries EntriesOf(const rg_WenBenShuZuLei& array) {
    Entries entries;
    for (int64_t i = 0; i < array.GetCount(); ++i) {
        const char16_t* text = array.GetAt(i);
        entries.push_back(text == nullptr ? std::nullopt : std::optional(std::u16string(text)));
    }
    return entries;
}

// The stream form of the texts ab, null and 中.
const ByteList kThreeTexts = {
    3, 0, 0, 0,                           // count
    6, 0, 0, 0, 'a',  0,    'b', 0, 0, 0, // ab
    0, 0, 0, 0,                           // null
    4, 0, 0, 0, 0x2D, 0x4E, 0,   0,       // 中
};

TEST(ExtendedObject, RecordKindAndHeaderOnlyContent) {
    PoolBalance balance;
    rg_KuoZhanDuiXiangLei base;
    EXPECT_STREQ(base.GetClassInfo().name, "rg_tarn_base::rg_KuoZhanDuiXiangLei");
    EXPECT_TRUE(base.IsKindOf(CTarnObject::ClassRecord()));
    EXPECT_FALSE(base.IsKindOf(rg_WenBenShuZuLei::ClassRecord()));

    rg_WenBenShuZuLei array = ArrayOf({u"t"});
    array.extra = 6;
    // A text array is a kind of the base, so the base takes its header only.
    EXPECT_TRUE(base.CopyFrom(array));
    EXPECT_EQ(base.extra, 6u);
    EXPECT_FALSE(base.IsEqual(array)) << "different classes";
    EXPECT_FALSE(array.CopyFrom(base));
    EXPECT_EQ(array.GetCount(), 1);

    CTarnObject* clone = base.Clone();
    EXPECT_EQ(&clone->GetClassInfo(), &rg_KuoZhanDuiXiangLei::ClassRecord());
    EXPECT_TRUE(clone->IsEqual(base));
    FreeObject(clone);

    // Without a text of its own it dumps the general object line.
    CWString out;
    base.DumpText(out, 0);
    const std::u16string line =
        u"无法解析的对象数据,其输出类名为: \"rg_tarn_base::rg_KuoZhanDuiXiangLei\", 地址为: 0x";
    EXPECT_EQ(Value(out).rfind(line, 0), 0u);
}

TEST(TextArray, RecordAndKind) {
    rg_WenBenShuZuLei array;
    EXPECT_STREQ(array.GetClassInfo().name, "rg_tarn_base::rg_WenBenShuZuLei");
    EXPECT_EQ(array.GetClassInfo().hash, 0x63A037CFu);
    EXPECT_TRUE(array.IsKindOf(rg_WenBenShuZuLei::ClassRecord()));
    EXPECT_TRUE(array.IsKindOf(rg_KuoZhanDuiXiangLei::ClassRecord()));
    EXPECT_TRUE(array.IsKindOf(CTarnObject::ClassRecord()));
    EXPECT_FALSE(array.IsKindOf(CTarnMem::ClassRecord()));
}

TEST(TextArray, CopiesKeepNullEntriesAndOwnNewTexts) {
    PoolBalance balance;
    rg_WenBenShuZuLei source = ArrayOf({u"a", null, u"b"});
    source.flags = 1;
    rg_WenBenShuZuLei* clone = source.Clone();
    EXPECT_EQ(EntriesOf(*clone), (Entries{u"a", null, u"b"}));
    EXPECT_NE(clone->GetAt(0), source.GetAt(0));
    EXPECT_EQ(clone->flags, 1u);
    EXPECT_TRUE(clone->IsEqual(source));
    FreeObject(clone);

    rg_WenBenShuZuLei target = ArrayOf({u"x", u"y", u"z", u"w"});
    EXPECT_TRUE(target.CopyFrom(source));
    EXPECT_EQ(EntriesOf(target), (Entries{u"a", null, u"b"}));
    EXPECT_TRUE(target.CopyFrom(target));
    EXPECT_EQ(EntriesOf(target), (Entries{u"a", null, u"b"}));
    CWString text(u"a");
    EXPECT_FALSE(target.CopyFrom(text));
    EXPECT_EQ(target.GetCount(), 3);

    target.Reset();
    EXPECT_EQ(target.GetCount(), 0);
    EXPECT_EQ(target.flags, 0u);
    CTarnObject* fresh = source.CreateNew();
    EXPECT_TRUE(fresh->IsEqual(target));
    FreeObject(fresh);
}

TEST(TextArray, EqualityReadsNullAsTheEmptyText) {
    PoolBalance balance;
    const struct {
        Entries a;
        Entries b;
        bool equal;
    } cases[] = {
        {{}, {}, true},
        {{u"a", null}, {u"a", u""}, true},
        {{u"a", null}, {u"a"}, false},
        {{u"a"}, {u"A"}, false},
        {{u"ab"}, {u"a"}, false},
        {{u"a", u"b"}, {u"b", u"a"}, false},
        {{u"中文"}, {u"中文"}, true},
    };
    for (const auto& c : cases) {
        const rg_WenBenShuZuLei a = ArrayOf(c.a);
        const rg_WenBenShuZuLei b = ArrayOf(c.b);
        EXPECT_EQ(a.IsEqual(b), c.equal);
        EXPECT_EQ(b.IsEqual(a), c.equal);
    }
    rg_WenBenShuZuLei a = ArrayOf({u"s"});
    EXPECT_TRUE(a.IsEqual(a));
    rg_WenBenShuZuLei b = ArrayOf({u"s"});
    b.extra = 2;
    EXPECT_FALSE(a.IsEqual(b));
    EXPECT_FALSE(a.IsEqual(rg_KuoZhanDuiXiangLei()));
}

TEST(TextArray, SaveWritesCountThenEachText) {
    CTarnMemoryStream out;
    ArrayOf({u"ab", null, u"中"}).SaveTo(out);
    EXPECT_EQ(out.GetError(), 0);
    EXPECT_EQ(Bytes(out), kThreeTexts);

    CTarnMemoryStream empty;
    rg_WenBenShuZuLei().SaveTo(empty);
    EXPECT_EQ(Bytes(empty), (ByteList{0, 0, 0, 0}));
}

TEST(TextArray, SaveToAFullStreamSetsTheWriteError) {
    for (int64_t limit : {0, 3, 4, 9, 13, 17}) {
        CTarnMemoryStream out(limit);
        ArrayOf({u"ab", null, u"中"}).SaveTo(out);
        EXPECT_EQ(out.GetError(), -4) << limit;
        EXPECT_LE(out.GetSize(), limit);
    }
}

TEST(TextArray, LoadRoundTripsAndReplacesTheContent) {
    PoolBalance balance;
    rg_WenBenShuZuLei array = ArrayOf({u"old", u"older"});
    CTarnMemoryStream in = StreamOf(kThreeTexts);
    array.LoadFrom(in);
    EXPECT_EQ(in.GetError(), 0);
    EXPECT_EQ(EntriesOf(array), (Entries{u"ab", null, u"中"}));
    // An empty text read from the stream (count 2: a terminator alone) is a null entry.
    CTarnMemoryStream terminator_only = StreamOf({1, 0, 0, 0, 2, 0, 0, 0, 0, 0});
    array.LoadFrom(terminator_only);
    EXPECT_EQ(EntriesOf(array), (Entries{null}));
}

TEST(TextArray, LoadFromAStreamThatEndsEarlyKeepsWhatWasRead) {
    PoolBalance balance;
    // Each prefix of the three texts: the entries kept and the error left.
    const struct {
        size_t bytes;
        Entries kept;
        int32_t error;
    } cases[] = {
        {0, {}, -3},
        {2, {}, -3},
        {4, {}, -3},
        {6, {}, -3},
        {8, {}, -3},
        {13, {}, -3},
        {14, {u"ab"}, -3},
        {16, {u"ab"}, -3},
        {18, {u"ab", null}, -3},
        {23, {u"ab", null}, -3},
        {kThreeTexts.size(), {u"ab", null, u"中"}, 0},
    };
    for (const auto& c : cases) {
        rg_WenBenShuZuLei array = ArrayOf({u"before"});
        const ByteList prefix(kThreeTexts.begin(),
                              kThreeTexts.begin() + static_cast<std::ptrdiff_t>(c.bytes));
        CTarnMemoryStream in = StreamOf(prefix);
        array.LoadFrom(in);
        EXPECT_EQ(in.GetError(), c.error) << c.bytes;
        EXPECT_EQ(EntriesOf(array), c.kept) << c.bytes;
    }
}

TEST(TextArray, LoadRejectsBadCountsAndBadTexts) {
    PoolBalance balance;
    const struct {
        ByteList bytes;
        Entries kept;
        const char* what;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, {}, "negative count"},
        {{0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}, {null}, "count far beyond the stream"},
        {{2, 0, 0, 0, 4, 0, 0, 0, 'q', 0, 0, 0, 3, 0, 0, 0, 'r', 0, 0}, {u"q"}, "odd byte count"},
        {{1, 0, 0, 0, 4, 0, 0, 0, 'q', 0, 'r', 0}, {}, "text without terminator"},
        {{1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, {}, "negative text length"},
    };
    for (const auto& c : cases) {
        rg_WenBenShuZuLei array = ArrayOf({u"before"});
        CTarnMemoryStream in = StreamOf(c.bytes);
        array.LoadFrom(in);
        EXPECT_EQ(in.GetError(), -3) << c.what;
        EXPECT_EQ(EntriesOf(array), c.kept) << c.what;
    }
}

TEST(TextArray, LoadFromAStreamInErrorEmptiesAndReadsNothing) {
    PoolBalance balance;
    rg_WenBenShuZuLei array = ArrayOf({u"before"});
    CTarnMemoryStream in = StreamOf(kThreeTexts);
    in.SetError(-4);
    array.LoadFrom(in);
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(in.GetPosition(), 0);
    EXPECT_EQ(in.GetError(), -4);
}

TEST(TextArray, DumpListsQuotedTexts) {
    PoolBalance balance;
    const struct {
        Entries entries;
        int32_t limit;
        std::u16string text;
    } cases[] = {
        {{}, 0, u"<数组> 总共 0 个成员:"},
        {{u"a", null, u"\t\x0B"},
         0,
         u"<数组> 总共 3 个成员:\r\n1. \"a\"\r\n2. \"\"\r\n3. \"\\t\\x0B\""},
        {{u"say \"hi\"", u"C:\\dir"},
         -1,
         u"<数组> 总共 2 个成员:\r\n1. \"say \\\"hi\\\"\"\r\n2. \"C:\\\\dir\""},
        {{u"x", u"y", u"z"},
         2,
         u"<数组> 总共 3 个成员,输出了 2 个,还有 1 个未被输出.\r\n1. \"x\"\r\n2. \"y\""},
    };
    for (const auto& c : cases) {
        CWString out(u"[");
        ArrayOf(c.entries).DumpText(out, c.limit);
        EXPECT_EQ(Value(out), u"[" + c.text) << "the dump appends";
    }
}

TEST(TextArray, DumpShowsSixtyFourTextsByDefault) {
    PoolBalance balance;
    rg_WenBenShuZuLei array;
    for (int i = 0; i < 70; ++i) {
        array.AddText(u"t");
    }
    CWString out;
    array.DumpText(out, 0);
    const std::u16string text = Value(out);
    EXPECT_EQ(text.rfind(u"<数组> 总共 70 个成员,输出了 64 个,还有 6 个未被输出.", 0), 0u);
    EXPECT_NE(text.find(u"\r\n64. \"t\""), std::u16string::npos);
    EXPECT_EQ(text.find(u"\r\n65. "), std::u16string::npos);
    CWString all;
    array.DumpText(all, -1);
    EXPECT_NE(Value(all).find(u"\r\n70. \"t\""), std::u16string::npos);
}

} // namespace
