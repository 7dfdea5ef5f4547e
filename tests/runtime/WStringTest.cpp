#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::Bytes;
using runtime_test::PoolBalance;
using runtime_test::StreamOf;
using runtime_test::Value;

using ByteList = std::vector<uint8_t>;

TEST(WString, DefaultTextIsEmptyWithoutStorage) {
    CWString text;
    ASSERT_NE(text.GetText(), nullptr);
    EXPECT_EQ(Value(text), u"");
    EXPECT_EQ(text.GetBuffer().GetData(), nullptr);
    EXPECT_EQ(text.GetBuffer().GetGrowStep(), 254);
    EXPECT_FALSE(text.IsConst());
}

TEST(WString, ConstructorsFromIntegersAndUnits) {
    PoolBalance balance;
    const std::pair<int32_t, std::u16string> numbers[] = {
        {0, u"0"}, {-1, u"-1"}, {INT32_MIN, u"-2147483648"}, {INT32_MAX, u"2147483647"}};
    for (const auto& [value, expected] : numbers) {
        EXPECT_EQ(Value(CWString(value)), expected);
        CWString set(u"old");
        set.SetInt(value);
        EXPECT_EQ(Value(set), expected);
    }
    const char16_t* null_text = nullptr;
    EXPECT_EQ(Value(CWString(null_text)), u"");
    EXPECT_EQ(CWString(u"").GetBuffer().GetSize(), 0);
    CWString copy(u"中文 text");
    EXPECT_EQ(Value(copy), u"中文 text");
    EXPECT_EQ(copy.GetBuffer().GetSize(), 16);
    EXPECT_EQ(copy.GetBuffer().GetCapacity(), 254);

    CWString big;
    big.SetInt64(INT64_MIN);
    EXPECT_EQ(Value(big), u"-9223372036854775808");
    big.SetInt64(1234567890123LL);
    EXPECT_EQ(Value(big), u"1234567890123");
}

TEST(WString, AppendKeepsASingleTerminator) {
    PoolBalance balance;
    CWString text(u"a");
    text.Append(u"b");
    EXPECT_EQ(Value(text), u"ab");
    EXPECT_EQ(text.GetBuffer().GetSize(), 6);
    text.Append(nullptr);
    text.Append(u"");
    text.AppendChar(0);
    EXPECT_EQ(text.GetBuffer().GetSize(), 6);
    text.AppendChar(u'c');
    text.AppendChars(u"defg", 2);
    text.AppendChars(u"x", 0);
    EXPECT_EQ(Value(text), u"abcde");
    EXPECT_EQ(text.GetBuffer().GetSize(), 12);
}

TEST(WString, ShortTextsStayInOnePoolBlock) {
    PoolBalance balance;
    CWString text;
    const uint8_t* storage = nullptr;
    // Appends fill the 254-byte capacity exactly: 126 units and the terminator.
    for (int i = 0; i < 126; ++i) {
        text.AppendChar(u'x');
        if (i == 0) {
            storage = text.GetBuffer().GetData();
        }
        ASSERT_EQ(text.GetBuffer().GetData(), storage) << "moved at unit " << i + 1;
    }
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 254);
    EXPECT_TRUE(ProcessMemPool().Contains(storage));
    text.AppendChar(u'y');
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 508);
    EXPECT_EQ(text.GetLength(), 127);
    // A text of 125 units made at once lives in one block too.
    CWString made(std::u16string(125, u'm').c_str());
    EXPECT_EQ(made.GetBuffer().GetCapacity(), 254);
}

// Every way of appending, mixed at random over a long run, against a standard
// string for the value and the capacity rule (step 254) for the storage: the
// quick paths for pieces that fit must agree with the general one at every
// boundary of the room, for pieces from outside and from the text itself.
TEST(WString, AppendsOfEveryKindAgreeWithTheStandardStringAndTheRule) {
    PoolBalance balance;
    // Lengths 0 to 12, on both sides of the longest piece copied inline (7).
    const char16_t* const pieces[] = {u"a",           u"bc", u"磁道",    u"16065",  u", ",
                                      u"xyz\u3000w",  u"",   u"abcdefg", u"abcdef", u"ABCDEFGH",
                                      u"0123456789AB"};
    constexpr unsigned kPieces = sizeof pieces / sizeof pieces[0];
    static const char16_t kLiteral[] = u"constant";
    std::mt19937 random(7);
    CWString text;
    std::u16string model;
    int64_t capacity = 0;
    // The storage the model expects after units were added: grown by the rule
    // when the new size passes the capacity, otherwise unchanged.
    auto grown = [&capacity](size_t units) {
        const auto size = static_cast<int64_t>(units + 1) * 2;
        if (size > capacity) {
            capacity = size - size % CWString::kGrowStep + CWString::kGrowStep;
        }
    };
    for (int step = 0; step < 20000; ++step) {
        const unsigned kind = random() % 12;
        const char16_t* piece = pieces[random() % kPieces];
        const std::u16string before = model;
        if (kind < 5) {
            text.Append(piece);
            model += piece;
        } else if (kind == 5) {
            text.AppendChar(piece[0]);
            model += std::u16string(piece, piece[0] == 0 ? 0 : 1);
        } else if (kind == 6) {
            const int64_t count = static_cast<int64_t>(std::char_traits<char16_t>::length(piece));
            text.AppendChars(piece, count);
            model += piece;
        } else if (kind == 7 && !model.empty()) {
            // A tail of the text itself, straight from its storage.
            const size_t from = random() % model.size();
            text.Append(text.GetText() + from);
            model += before.substr(from);
        } else if (kind == 8 && !model.empty()) {
            const size_t from = random() % model.size();
            text.AppendChars(text.GetText() + from, static_cast<int64_t>(model.size() - from));
            model += before.substr(from);
        } else if (kind == 9 && random() % 8 == 0) {
            // Bound to a literal: the size drops to 0 with the storage kept,
            // and the next append detaches it.
            text = CWConstString(kLiteral);
            model = kLiteral;
            EXPECT_TRUE(text.IsConst());
            continue;
        } else if (kind == 10 && random() % 16 == 0) {
            text.SetEmpty();
            model.clear();
            capacity = 0;
            continue;
        } else if (model.size() > 3000) {
            text.SetEmpty();
            model.clear();
            capacity = 0;
            continue;
        } else {
            continue;
        }
        if (model != before) {
            grown(model.size());
        }
        ASSERT_EQ(Value(text), model) << "step " << step << ", kind " << kind;
        if (!text.IsConst() && text.GetBuffer().GetSize() > 0) {
            ASSERT_EQ(text.GetBuffer().GetSize(), static_cast<int64_t>(model.size() + 1) * 2)
                << "step " << step;
            ASSERT_EQ(text.GetBuffer().GetCapacity(), capacity) << "step " << step;
        }
    }
}

TEST(WString, AppendingItsOwnTextSurvivesTheMove) {
    PoolBalance balance;
    CWString text(std::u16string(100, u'q').c_str());
    text.Append(text.GetText());
    EXPECT_EQ(Value(text), std::u16string(200, u'q'));
    text.SetChars(text.GetText() + 190, 5);
    EXPECT_EQ(Value(text), u"qqqqq");
    text.Format(u"%s-%s", {text.GetText(), text.GetText()});
    EXPECT_EQ(Value(text), u"qqqqq-qqqqq");
    CWString tail(text);
    tail.AppendChars(tail.GetText() + 6, 5);
    EXPECT_EQ(Value(tail), u"qqqqq-qqqqqqqqqq");
}

TEST(WString, AppendCharsGrowsOnceForUnitsAndTerminator) {
    PoolBalance balance;
    const std::u16string units(126, u'u');
    CWString fits;
    fits.AppendChars(units.c_str(), 125);
    EXPECT_EQ(fits.GetBuffer().GetCapacity(), 254);
    // 126 units and the terminator ask for 254 bytes at once, which the rule
    // gives a capacity of 508.
    CWString beyond;
    beyond.AppendChars(units.c_str(), 126);
    EXPECT_EQ(beyond.GetBuffer().GetCapacity(), 508);
    EXPECT_EQ(Value(beyond), units);
    // Within the capacity the units and terminator are written in place.
    CWString filled(std::u16string(63, u'a').c_str());
    const uint8_t* storage = filled.GetBuffer().GetData();
    filled.AppendChars(units.c_str(), 63);
    EXPECT_EQ(filled.GetBuffer().GetData(), storage);
    EXPECT_EQ(filled.GetBuffer().GetCapacity(), 254);
    EXPECT_EQ(filled.GetLength(), 126);
}

TEST(WString, AppendingPartOfItselfAfterAConstantIsDetached) {
    PoolBalance balance;
    static constexpr char16_t kLiteral[] = u"abcdef";
    CWConstString text(kLiteral);
    text.AppendChars(kLiteral + 2, 3);
    EXPECT_EQ(Value(text), u"abcdefcde");
    EXPECT_FALSE(text.IsConst());
    text.AppendChars(text.GetText() + 1, 4);
    EXPECT_EQ(Value(text), u"abcdefcdebcde");
    text.AppendChars(text.GetText(), text.GetLength());
    EXPECT_EQ(Value(text), u"abcdefcdebcdeabcdefcdebcde");
}

TEST(WString, ConstantTextCostsNothingUntilModified) {
    PoolBalance balance;
    static constexpr char16_t kLiteral[] = u"const";
    CWConstString constant(kLiteral);
    EXPECT_EQ(constant.GetText(), kLiteral);
    EXPECT_EQ(constant.GetBuffer().GetData(), nullptr);
    CWString copy(constant);
    EXPECT_EQ(copy.GetText(), kLiteral) << "a copy shares the literal";
    EXPECT_EQ(copy.GetBuffer().GetData(), nullptr);

    copy.Append(u"!");
    EXPECT_EQ(Value(copy), u"const!");
    EXPECT_FALSE(copy.IsConst());
    EXPECT_EQ(Value(constant), u"const");
    EXPECT_EQ(std::u16string(kLiteral), u"const");

    static constexpr char16_t kEmpty[] = u"";
    CWConstString empty(kEmpty);
    empty.Append(CWString().GetText());
    EXPECT_TRUE(empty.IsConst());
    EXPECT_EQ(empty.GetBuffer().GetData(), nullptr);
    empty.AppendUtf8("");
    empty.AppendFormat(u"");
    EXPECT_TRUE(empty.IsConst());
    empty.Append(u"x");
    EXPECT_EQ(Value(empty), u"x");
    EXPECT_EQ(empty.GetBuffer().GetSize(), 4);
    EXPECT_EQ(&empty.GetClassInfo(), &CWConstString::ClassRecord());
}

TEST(WString, DetachConstCopiesTheLiteralWithItsTerminator) {
    PoolBalance balance;
    CWConstString constant(u"ab");
    CTarnMem& buffer = constant.DetachConst();
    EXPECT_EQ(Bytes(buffer), (ByteList{'a', 0, 'b', 0, 0, 0}));
    EXPECT_EQ(buffer.GetCapacity(), 254);
    EXPECT_FALSE(constant.IsConst());
    constant.DetachConst(); // nothing left to detach
    EXPECT_EQ(buffer.GetSize(), 6);
}

TEST(WString, SetCharsCopiesOrZeroFills) {
    PoolBalance balance;
    CWString text(u"old");
    text.SetChars(nullptr, 3);
    EXPECT_EQ(Value(text), u"");
    EXPECT_EQ(Bytes(text.GetBuffer()), ByteList(8, 0));
    text.SetChars(u"abcdef", 4);
    EXPECT_EQ(Value(text), u"abcd");
    text.SetChars(u"abc", 0);
    EXPECT_EQ(text.GetBuffer().GetData(), nullptr);
    CWConstString constant(u"c");
    constant.SetChars(u"zz", -1);
    EXPECT_FALSE(constant.IsConst());
    EXPECT_EQ(Value(constant), u"");
}

TEST(WString, ConcatOfTextsAndUnits) {
    PoolBalance balance;
    const CWString empty;
    const CWString abc(u"abc");
    EXPECT_EQ(Value(CWString::Concat(empty, abc)), u"abc");
    EXPECT_EQ(Value(CWString::Concat(abc, empty)), u"abc");
    EXPECT_EQ(Value(CWString::Concat(CWString(u"ab"), CWConstString(u"cd"))), u"abcd");
    EXPECT_EQ(Value(CWString::Concat(CWConstString(u""), CWConstString(u"k"))), u"k");
    EXPECT_EQ(Value(CWString::Concat(abc, u"de")), u"abcde");
    EXPECT_EQ(Value(CWString::Concat(abc, nullptr)), u"abc");
    EXPECT_EQ(Value(CWString::Concat(empty, u"")), u"");

    // A copy of a constant operand still shares its literal.
    const CWConstString constant(u"lit");
    EXPECT_EQ(CWString::Concat(empty, constant).GetText(), constant.GetText());

    // Units behind a zero unit take part: the buffer is what counts.
    CWString zeros;
    zeros.SetChars(nullptr, 2);
    const CWString joined = CWString::Concat(zeros, abc);
    EXPECT_EQ(joined.GetBuffer().GetSize(), 12);
    EXPECT_EQ(joined.GetText()[2], u'a');
    // With plain units it is the value that comes first, and the result is a new text.
    CWString flagged(u"v");
    flagged.extra = 3;
    const CWString with_units = CWString::Concat(flagged, u"w");
    EXPECT_EQ(Value(with_units), u"vw");
    EXPECT_EQ(with_units.extra, 0u);
    EXPECT_EQ(CWString::Concat(flagged, u"").extra, 3u) << "a copy";
    EXPECT_EQ(Value(CWString::Concat(zeros, u"x")), u"x");
    EXPECT_EQ(Value(CWString::Concat(CWConstString(u"c"), u"d")), u"cd");
}

TEST(WString, EqualityNeedsClassHeaderAndUnits) {
    const CWString a(u"a");
    EXPECT_TRUE(a.IsEqual(CWString(u"a")));
    EXPECT_FALSE(a.IsEqual(CWString(u"b")));
    EXPECT_FALSE(a.IsEqual(CWString(u"ab")));
    EXPECT_FALSE(a.IsEqual(CWString(u"A")));
    EXPECT_FALSE(a.IsEqual(CWConstString(u"a"))) << "different classes";
    CWString other_extra(u"a");
    other_extra.extra = 1;
    EXPECT_FALSE(a.IsEqual(other_extra));
    CWString zeros;
    zeros.SetChars(nullptr, 3);
    EXPECT_TRUE(zeros.IsEqual(CWString())) << "values compare up to the first terminator";
}

TEST(WString, CopyFromFollowsTheKindRules) {
    PoolBalance balance;
    CWConstString target(u"keep");
    CWString source(u"new");
    EXPECT_FALSE(target.CopyFrom(source));
    EXPECT_EQ(Value(target), u"keep");
    EXPECT_TRUE(target.IsConst());

    CWConstString other_constant(u"other");
    other_constant.extra = 4;
    EXPECT_TRUE(target.CopyFrom(other_constant));
    EXPECT_EQ(target.GetText(), other_constant.GetText());
    EXPECT_EQ(target.extra, 4u);

    EXPECT_TRUE(source.CopyFrom(other_constant));
    EXPECT_EQ(Value(source), u"other");
    EXPECT_EQ(&source.GetClassInfo(), &CWString::ClassRecord());
    EXPECT_FALSE(source.CopyFrom(CTarnMem()));
}

TEST(WString, AssignmentCopiesAndCallsTheHook) {
    PoolBalance balance;
    struct Hooked : CWString {
        int overwrites = 0;
        void BeforeOverwrite() override { ++overwrites; }
    };
    Hooked target;
    target.Append(u"xyz");
    CWString source(u"abc");
    source.flags = 1;
    static_cast<CWString&>(target) = source;
    EXPECT_EQ(Value(target), u"abc");
    EXPECT_EQ(target.flags, 1u);
    EXPECT_EQ(target.overwrites, 1);
    target.Reset();
    EXPECT_EQ(target.overwrites, 2);
    EXPECT_EQ(Value(target), u"");
    EXPECT_EQ(target.flags, 0u);
    EXPECT_NE(target.GetBuffer().GetData(), nullptr) << "Reset keeps the storage";
    EXPECT_EQ(target.GetBuffer().GetSize(), 0);
}

TEST(WString, DumpReplacesTheOutput) {
    PoolBalance balance;
    CWString out(u"previous content");
    CWString(u"value").DumpText(out, 5);
    EXPECT_EQ(Value(out), u"value");
    CWConstString(u"").DumpText(out, 0);
    EXPECT_EQ(Value(out), u"");
    EXPECT_EQ(out.GetBuffer().GetData(), nullptr);

    CWString self(u"self");
    self.DumpText(self, 0);
    EXPECT_EQ(Value(self), u"self");
    CWConstString literal(u"shared");
    CWString sharing(literal);
    literal.DumpText(sharing, 0);
    EXPECT_TRUE(sharing.IsConst());
}

TEST(WString, SaveWritesUnitsAndTerminator) {
    PoolBalance balance;
    const struct {
        CWString text;
        ByteList bytes;
    } cases[] = {
        {CWString(u"ab"), {6, 0, 0, 0, 'a', 0, 'b', 0, 0, 0}},
        {CWConstString(u"ab"), {6, 0, 0, 0, 'a', 0, 'b', 0, 0, 0}},
        {CWString(), {0, 0, 0, 0}},
        {CWConstString(u""), {2, 0, 0, 0, 0, 0}},
        {CWString(u"\u4E2D"), {4, 0, 0, 0, 0x2D, 0x4E, 0, 0}},
    };
    for (const auto& c : cases) {
        CTarnMemoryStream out;
        c.text.SaveTo(out);
        EXPECT_EQ(out.GetError(), 0);
        EXPECT_EQ(Bytes(out), c.bytes);
        CTarnMemoryStream in = StreamOf(c.bytes);
        CWString loaded(u"junk");
        loaded.LoadFrom(in);
        EXPECT_EQ(in.GetError(), 0);
        EXPECT_EQ(Value(loaded), Value(c.text));
    }
}

TEST(WString, LoadAcceptsOnlyTerminatedEvenCounts) {
    PoolBalance balance;
    const struct {
        ByteList stream;
        int32_t error;
        std::u16string value;
        int64_t size;
    } cases[] = {
        {{0, 0, 0, 0}, 0, u"", 0},
        {{2, 0, 0, 0, 0, 0}, 0, u"", 2},
        {{4, 0, 0, 0, 'x', 0, 0, 0}, 0, u"x", 4},
        {{6, 0, 0, 0, 0, 0, 'y', 0, 0, 0}, 0, u"", 6},
        {{1, 0, 0, 0, 0}, -3, u"", 0},
        {{3, 0, 0, 0, 'x', 0, 0}, -3, u"", 0},
        {{4, 0, 0, 0, 'x', 0, 'y', 0}, -3, u"", 0},
        {{0xFE, 0xFF, 0xFF, 0xFF}, -3, u"", 0},
        {{8, 0, 0, 0, 'x', 0}, -3, u"", 0},
        {{6, 0}, -3, u"", 0},
    };
    for (const auto& c : cases) {
        CWConstString text(u"before");
        CTarnMemoryStream in = StreamOf(c.stream);
        text.LoadFrom(in);
        EXPECT_EQ(in.GetError(), c.error) << "stream of " << c.stream.size() << " bytes";
        EXPECT_EQ(Value(text), c.value);
        EXPECT_FALSE(text.IsConst());
        EXPECT_EQ(text.GetBuffer().GetSize(), c.size);
        EXPECT_EQ(text.GetBuffer().GetData() == nullptr, c.size == 0);
    }
}

TEST(WString, FormatReplacesAndAppendFormatAppends) {
    PoolBalance balance;
    CWString text(u"old");
    EXPECT_TRUE(text.Format(u"%d|%s", {42, u"x"}));
    EXPECT_EQ(Value(text), u"42|x");
    EXPECT_EQ(text.GetBuffer().GetSize(), 10);
    EXPECT_TRUE(text.AppendFormat(u" %.8G", {0.5}));
    EXPECT_EQ(Value(text), u"42|x 0.5");
    EXPECT_FALSE(text.AppendFormat(u"%q", {}));
    EXPECT_EQ(Value(text), u"42|x 0.5") << "a failed format appends nothing";
    EXPECT_FALSE(text.Format(u"%d", {}));
    EXPECT_EQ(Value(text), u"");
    EXPECT_EQ(text.GetBuffer().GetData(), nullptr);
    EXPECT_TRUE(text.Format(u""));
    EXPECT_EQ(text.GetBuffer().GetData(), nullptr) << "no units, no storage";
}

TEST(WString, AppendUtf8ConvertsClassNames) {
    PoolBalance balance;
    CWString text(u"[");
    text.AppendUtf8("rg_tarn_base::rg_WenBenShuZuLei");
    text.AppendUtf8("\xE4\xB8\xAD");
    text.AppendUtf8(nullptr);
    EXPECT_EQ(Value(text), u"[rg_tarn_base::rg_WenBenShuZuLei\u4E2D");
}

TEST(WString, HeapTextsGiveEverythingBack) {
    PoolBalance balance;
    CWString* text = new CWString(u"heap");
    text->Append(std::u16string(300, u'z').c_str()); // storage beyond one block
    CWString* clone = text->Clone();
    EXPECT_TRUE(clone->IsEqual(*text));
    FreeObject(text);
    CWString* fresh = clone->CreateNew();
    EXPECT_EQ(Value(*fresh), u"");
    FreeObject(clone);
    FreeObject(fresh);
}

} // namespace
