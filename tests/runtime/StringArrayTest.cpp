#include "runtime/StringArray.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/RefObject.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::PoolBalance;

// A list's entries, with nullopt for a null entry.
using Entries = std::vector<std::optional<std::u16string>>;

Entries EntriesOf(const CMStringArray& list) {
    Entries entries;
    for (int64_t i = 0; i < list.GetCount(); ++i) {
        const char16_t* text = list.GetAt(i);
        entries.push_back(text == nullptr ? std::nullopt : std::optional(std::u16string(text)));
    }
    return entries;
}

constexpr std::nullopt_t null = std::nullopt;

TEST(StringArray, LightRecordAndKind) {
    CMStringArray list;
    EXPECT_STREQ(list.GetClassInfo().name, "CMStringArray");
    EXPECT_EQ(list.GetClassInfo().name_length, 13u);
    EXPECT_EQ(list.GetClassInfo().hash, ClassNameHash("CMStringArray", 13));
    const LightClassInfo copy = CMStringArray::ClassRecord();
    EXPECT_TRUE(list.IsKindOf(copy)) << "a copy of the record denotes the same class";
    EXPECT_FALSE(list.IsKindOf(CRefObject::ClassRecord()));
}

TEST(StringArray, EmptyTextsAreHeldAsNull) {
    PoolBalance balance;
    CMStringArray list;
    list.AddText(u"abc");
    list.AddText(u"");
    list.AddText(nullptr);
    list.AddChars(u"xyz", 2);
    list.AddChars(u"xyz", 0);
    list.AddChars(nullptr, 3);
    EXPECT_EQ(EntriesOf(list), (Entries{u"abc", null, null, u"xy", null, null}));
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(StringArray, CopiesOwnTheirTexts) {
    PoolBalance balance;
    CMStringArray source;
    source.AddText(u"a");
    source.AddText(nullptr);
    source.AddText(std::u16string(300, u'w').c_str()); // beyond one pool block
    CMStringArray copy(source);
    EXPECT_EQ(EntriesOf(copy), EntriesOf(source));
    EXPECT_NE(copy.GetAt(0), source.GetAt(0));
    EXPECT_NE(copy.GetAt(2), source.GetAt(2));

    CMStringArray assigned;
    assigned.AddText(u"old");
    assigned = source;
    EXPECT_EQ(EntriesOf(assigned), EntriesOf(source));
    const CMStringArray& same = assigned;
    assigned = same;
    EXPECT_EQ(EntriesOf(assigned), EntriesOf(source));
    source.RemoveAll();
    EXPECT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(std::u16string(copy.GetAt(0)), u"a");
}

TEST(SplitText, PiecesTrimmedAndNullForEmpty) {
    const struct {
        const char16_t* text;
        const char16_t* delimiters;
        Entries pieces;
    } cases[] = {
        {u"", u",", {}},
        {nullptr, u",", {}},
        {u"a,,b", u",", {u"a", null, u"b"}},
        {u"a,", u",", {u"a", null}},
        {u",a", u",", {null, u"a"}},
        {u",", u",", {null, null}},
        {u",,", u",", {null, null, null}},
        {u"  x,\u3000", u",", {u"x", null}},
        {u"a;b,c;", u",;", {u"a", u"b", u"c", null}},
        {u" a b ", u",", {u"a b"}},
        {u"   ", u",", {null}},
        {u"\u3000\tx\r\n\u3000", u",", {u"x"}},
        {u"\x01y\x1F, \x7Fz", u",", {u"y", u"\x7Fz"}},
        {u"\u00A0a\u00A0",
         u",",
         {u"\u00A0a\u00A0"}}, // only units up to 0x20 and U+3000 are trimmed
        {u"a,b", u"", {u"a,b"}},
        {u"a,b", nullptr, {u"a,b"}},
        {u"宋体,9,,700", u",", {u"宋体", u"9", null, u"700"}},
        {u"x、y", u"、", {u"x", u"y"}},
    };
    for (const auto& c : cases) {
        PoolBalance balance;
        CMStringArray list;
        const int64_t count = SplitText(c.text, list, c.delimiters);
        EXPECT_EQ(count, static_cast<int64_t>(c.pieces.size()));
        EXPECT_EQ(EntriesOf(list), c.pieces) << (c.text == nullptr ? "(null)" : "case");
    }
}

TEST(SplitText, EmptiesTheListFirst) {
    PoolBalance balance;
    CMStringArray list;
    list.AddText(u"stale");
    EXPECT_EQ(SplitText(u"", list, u","), 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(SplitText(u"p,q", list, u","), 2);
    EXPECT_EQ(SplitText(u"r", list, u","), 1);
    EXPECT_EQ(EntriesOf(list), (Entries{u"r"}));
}

} // namespace
