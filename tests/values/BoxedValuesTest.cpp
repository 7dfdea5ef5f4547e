#include "values/BoxedValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/ObjectStream.h"
#include "runtime/WString.h"
#include "tests/runtime/RuntimeTestSupport.h"
#include "values/Geometry.h"

namespace {

using rg_tarn_base::rg_BianZhengShuLei;
using rg_tarn_base::rg_ChangZhengShuLei;
using rg_tarn_base::rg_ChanJingDuXiaoShuLei;
using rg_tarn_base::rg_DuanZhengShuLei;
using rg_tarn_base::rg_KuoZhanDuiXiangLei;
using rg_tarn_base::rg_LuoJiXingLei;
using rg_tarn_base::rg_XiaoShuLei;
using rg_tarn_base::rg_ZhengShuLei;
using rg_tarn_base::rg_ZiFuLei;
using rg_tarn_base::rg_ZiJieLei;
using runtime_test::Bytes;
using runtime_test::PoolBalance;
using runtime_test::StreamOf;
using runtime_test::Value;

using ByteList = std::vector<uint8_t>;

// The value is the one field after the object header.
static_assert(sizeof(rg_ZiJieLei) == sizeof(CTarnObject) + 8, "padded to the header's alignment");
static_assert(sizeof(rg_ChangZhengShuLei) == sizeof(CTarnObject) + 8);
static_assert(sizeof(CTarnBaseDataType) == sizeof(CTarnObject), "the base adds no field");

// One row per boxed class: its record, its stream width, and a value that
// uses every byte of that width, with the value's stream bytes.
struct BoxedClass {
    const ClassInfo& (*record)();
    const char* name;
    int64_t width;
    std::function<void(CTarnObject&)> set_sample;
    ByteList sample_bytes;
};

template <typename Boxed> std::function<void(CTarnObject&)> Setter(decltype(Boxed::value) sample) {
    return [sample](CTarnObject& object) { static_cast<Boxed&>(object).value = sample; };
}

const std::vector<BoxedClass>& BoxedClasses() {
    static const std::vector<BoxedClass> classes = {
        {&rg_ZiJieLei::ClassRecord,
         "rg_tarn_base::rg_ZiJieLei",
         1,
         Setter<rg_ZiJieLei>(static_cast<int8_t>(-2)),
         {0xFE}},
        {&rg_DuanZhengShuLei::ClassRecord,
         "rg_tarn_base::rg_DuanZhengShuLei",
         2,
         Setter<rg_DuanZhengShuLei>(0x1234),
         {0x34, 0x12}},
        {&rg_ZiFuLei::ClassRecord,
         "rg_tarn_base::rg_ZiFuLei",
         2,
         Setter<rg_ZiFuLei>(u'中'),
         {0x2D, 0x4E}},
        {&rg_ZhengShuLei::ClassRecord,
         "rg_tarn_base::rg_ZhengShuLei",
         4,
         Setter<rg_ZhengShuLei>(0x01020304),
         {4, 3, 2, 1}},
        {&rg_BianZhengShuLei::ClassRecord,
         "rg_tarn_base::rg_BianZhengShuLei",
         8,
         Setter<rg_BianZhengShuLei>(-2),
         {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {&rg_ChangZhengShuLei::ClassRecord,
         "rg_tarn_base::rg_ChangZhengShuLei",
         8,
         Setter<rg_ChangZhengShuLei>(0x0102030405060708),
         {8, 7, 6, 5, 4, 3, 2, 1}},
        {&rg_ChanJingDuXiaoShuLei::ClassRecord,
         "rg_tarn_base::rg_ChanJingDuXiaoShuLei",
         4,
         Setter<rg_ChanJingDuXiaoShuLei>(1.0f),
         {0, 0, 0x80, 0x3F}},
        {&rg_XiaoShuLei::ClassRecord,
         "rg_tarn_base::rg_XiaoShuLei",
         8,
         Setter<rg_XiaoShuLei>(-2.0),
         {0, 0, 0, 0, 0, 0, 0, 0xC0}},
        {&rg_LuoJiXingLei::ClassRecord,
         "rg_tarn_base::rg_LuoJiXingLei",
         4,
         Setter<rg_LuoJiXingLei>(0x7FFFFFFE),
         {0xFE, 0xFF, 0xFF, 0x7F}},
    };
    return classes;
}

// A heap instance of the row's class, freed at the end of the scope.
struct Made {
    explicit Made(const BoxedClass& c) : object(c.record().create()) {}
    ~Made() { FreeObject(object); }
    Made(const Made&) = delete;
    Made& operator=(const Made&) = delete;
    CTarnObject* object;
};

TEST(BoxedValues, RecordsNamesAndKinds) {
    EXPECT_STREQ(CTarnBaseDataType::ClassRecord().name, "CTarnBaseDataType");
    CTarnBaseDataType base;
    EXPECT_TRUE(base.IsKindOf(CTarnObject::ClassRecord()));
    EXPECT_EQ(base.GetValuePtr(), nullptr);
    for (const BoxedClass& c : BoxedClasses()) {
        PoolBalance balance;
        EXPECT_STREQ(c.record().name, c.name);
        Made made(c);
        CTarnObject& object = *made.object;
        EXPECT_EQ(&object.GetClassInfo(), &c.record()) << c.name;
        EXPECT_TRUE(object.IsKindOf(c.record())) << c.name;
        EXPECT_TRUE(object.IsKindOf(CTarnBaseDataType::ClassRecord())) << c.name;
        EXPECT_TRUE(object.IsKindOf(CTarnObject::ClassRecord())) << c.name;
        EXPECT_FALSE(object.IsKindOf(rg_KuoZhanDuiXiangLei::ClassRecord())) << c.name;
        for (const BoxedClass& other : BoxedClasses()) {
            if (&other != &c) {
                EXPECT_FALSE(object.IsKindOf(other.record())) << c.name << " " << other.name;
            }
        }
    }
}

TEST(BoxedValues, NewValuesAreZeroAndValuePtrPointsAtTheValue) {
    for (const BoxedClass& c : BoxedClasses()) {
        PoolBalance balance;
        Made made(c);
        auto& boxed = static_cast<CTarnBaseDataType&>(*made.object);
        void* value = boxed.GetValuePtr();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(static_cast<char*>(value), reinterpret_cast<char*>(&boxed) + sizeof(CTarnObject))
            << c.name << ": the value follows the header";
        const ByteList zero(static_cast<size_t>(c.width), 0);
        EXPECT_EQ(std::memcmp(value, zero.data(), zero.size()), 0) << c.name;
        c.set_sample(boxed);
        EXPECT_EQ(std::memcmp(value, c.sample_bytes.data(), c.sample_bytes.size()), 0) << c.name;
    }
}

TEST(BoxedValues, SaveWritesTheValueBytesAndLoadReadsThem) {
    for (const BoxedClass& c : BoxedClasses()) {
        PoolBalance balance;
        Made source(c);
        c.set_sample(*source.object);
        CTarnMemoryStream out;
        source.object->SaveTo(out);
        EXPECT_EQ(out.GetError(), 0) << c.name;
        EXPECT_EQ(Bytes(out), c.sample_bytes) << c.name;

        Made target(c);
        CTarnMemoryStream in(out.GetData(), out.GetSize());
        target.object->LoadFrom(in);
        EXPECT_EQ(in.GetError(), 0) << c.name;
        EXPECT_TRUE(target.object->IsEqual(*source.object)) << c.name;
    }
}

TEST(BoxedValues, LoadFromAShortStreamSetsTheErrorAndKeepsTheValue) {
    for (const BoxedClass& c : BoxedClasses()) {
        PoolBalance balance;
        Made object(c);
        c.set_sample(*object.object);
        Made before(c);
        c.set_sample(*before.object);
        // Every length short of the width, including nothing at all.
        for (int64_t length = 0; length < c.width; ++length) {
            const ByteList bytes(static_cast<size_t>(length), 0x55);
            CTarnMemoryStream in = StreamOf(bytes);
            object.object->LoadFrom(in);
            EXPECT_EQ(in.GetError(), -3) << c.name << " " << length;
            EXPECT_TRUE(object.object->IsEqual(*before.object)) << c.name << " " << length;
        }
        // A stream already in error is not read at all.
        const ByteList full(static_cast<size_t>(c.width), 0x55);
        CTarnMemoryStream failed = StreamOf(full);
        failed.SetError(-4);
        object.object->LoadFrom(failed);
        EXPECT_EQ(failed.GetPosition(), 0) << c.name;
        EXPECT_EQ(failed.GetError(), -4) << c.name;
        EXPECT_TRUE(object.object->IsEqual(*before.object)) << c.name;
    }
}

TEST(BoxedValues, SaveToAFullStreamSetsTheWriteError) {
    for (const BoxedClass& c : BoxedClasses()) {
        CTarnMemoryStream out(c.width - 1);
        Made(c).object->SaveTo(out);
        EXPECT_EQ(out.GetError(), -4) << c.name;
        EXPECT_EQ(out.GetSize(), 0) << c.name;
        CTarnMemoryStream failed;
        failed.SetError(-3);
        Made(c).object->SaveTo(failed);
        EXPECT_EQ(failed.GetSize(), 0) << c.name;
    }
}

TEST(BoxedValues, CopyCloneAndResetCarryHeaderAndValue) {
    for (const BoxedClass& c : BoxedClasses()) {
        PoolBalance balance;
        Made source(c);
        c.set_sample(*source.object);
        source.object->flags = 1;
        source.object->extra = 0xABC;

        CTarnObject* clone = source.object->Clone();
        EXPECT_TRUE(clone->IsEqual(*source.object)) << c.name;
        EXPECT_EQ(clone->extra, 0xABCu) << c.name;
        FreeObject(clone);

        Made target(c);
        EXPECT_TRUE(target.object->CopyFrom(*source.object)) << c.name;
        EXPECT_TRUE(target.object->IsEqual(*source.object)) << c.name;

        target.object->Reset();
        Made fresh(c);
        EXPECT_TRUE(target.object->IsEqual(*fresh.object)) << c.name;
        EXPECT_EQ(target.object->flags, 0u) << c.name;

        CTarnObject* made_new = source.object->CreateNew();
        EXPECT_TRUE(made_new->IsEqual(*fresh.object)) << c.name;
        FreeObject(made_new);
    }
}

TEST(BoxedValues, DifferentClassesNeverMatchOrCopy) {
    for (const BoxedClass& a : BoxedClasses()) {
        for (const BoxedClass& b : BoxedClasses()) {
            if (&a == &b) {
                continue;
            }
            Made left(a);
            Made right(b);
            EXPECT_FALSE(left.object->IsEqual(*right.object)) << a.name << " " << b.name;
            a.set_sample(*left.object);
            EXPECT_FALSE(right.object->CopyFrom(*left.object)) << a.name << " " << b.name;
            Made zero(b);
            EXPECT_TRUE(right.object->IsEqual(*zero.object)) << "unchanged";
        }
    }
    // The named pairs: integer and long integer, integer and boolean.
    rg_ZhengShuLei integer(1);
    rg_ChangZhengShuLei long_integer(1);
    rg_LuoJiXingLei boolean(1);
    EXPECT_FALSE(integer.CopyFrom(long_integer));
    EXPECT_FALSE(long_integer.CopyFrom(integer));
    EXPECT_FALSE(integer.IsEqual(boolean));
    // The base takes the header of any boxed value, and only that.
    CTarnBaseDataType base;
    integer.extra = 5;
    EXPECT_TRUE(base.CopyFrom(integer));
    EXPECT_EQ(base.extra, 5u);
    EXPECT_FALSE(integer.CopyFrom(base));
}

TEST(BoxedValues, ExactEqualityOfTheWholeValues) {
    EXPECT_FALSE(rg_LuoJiXingLei(1).IsEqual(rg_LuoJiXingLei(2)));
    EXPECT_TRUE(rg_LuoJiXingLei(2).IsEqual(rg_LuoJiXingLei(2)));
    EXPECT_FALSE(rg_ZiJieLei(-1).IsEqual(rg_ZiJieLei(1)));
    EXPECT_FALSE(rg_ChangZhengShuLei(INT64_MIN).IsEqual(rg_ChangZhengShuLei(INT64_MAX)));
    EXPECT_FALSE(rg_BianZhengShuLei(1LL << 40).IsEqual(rg_BianZhengShuLei(0)));
    EXPECT_FALSE(rg_ZiFuLei(u'a').IsEqual(rg_ZiFuLei(u'A')));
    rg_ZhengShuLei marked(3);
    marked.flags = 1;
    EXPECT_FALSE(marked.IsEqual(rg_ZhengShuLei(3))) << "the empty bit takes part";
    marked.flags = 2;
    EXPECT_TRUE(marked.IsEqual(rg_ZhengShuLei(3))) << "other flag bits do not";
}

TEST(BoxedValues, DoubleEqualityWindow) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double a;
        double b;
        bool equal;
    } cases[] = {
        {0.1, 0.1000005, true},   {0.1, 0.1000011, false},     {0.1000005, 0.1, true},
        {-0.1, -0.1000009, true}, {0.0, 0.000001, true},       {0.0, -0.000001, true},
        {0.0, 0.0000011, false},  {1e15, 1e15 + 0.125, false}, {0.0, -0.0, true},
        {inf, inf, true},         {-inf, -inf, true},          {inf, -inf, false},
        {inf, 1e308, false},      {nan, nan, false},           {nan, 0.0, false},
        {1e308, -1e308, false}, // the difference overflows to infinity
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rg_XiaoShuLei(c.a).IsEqual(rg_XiaoShuLei(c.b)), c.equal) << c.a << " " << c.b;
    }
}

TEST(BoxedValues, FloatEqualityWindowUsesSinglePrecision) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float a;
        float b;
        bool equal;
    } cases[] = {
        {1.0f, 1.0000009f, true},
        {1.0f, 1.000002f, false},
        {1.0000009f, 1.0f, true},
        {0.0f, 0.000001f, true},
        {0.0f, -0.000001f, true},
        {0.0f, 0.0000011f, false},
        // 8 single-precision steps apart: 9.5e-7 in single precision.
        {-1.0f, -1.00000095f, true},
        // 1.000001 rounds to 8 steps above 1, 1.0000011 to 9 steps (1.07e-6).
        {1.0f, 1.000001f, true},
        {1.0f, 1.0000011f, false},
        // The exact difference is beyond the bound, its single-precision
        // rounding is the bound itself.
        {0.000001f, -1e-14f, true},
        {inf, inf, true},
        {inf, -inf, false},
        {3e38f, -3e38f, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rg_ChanJingDuXiaoShuLei(c.a).IsEqual(rg_ChanJingDuXiaoShuLei(c.b)), c.equal)
            << c.a << " " << c.b;
    }
}

TEST(BoxedValues, DumpReplacesTheOutputWithTheValueText) {
    PoolBalance balance;
    const struct {
        std::function<void(CWString&)> dump;
        std::u16string text;
    } cases[] = {
        {[](CWString& out) { rg_ZiJieLei(static_cast<int8_t>(200)).DumpText(out, 0); }, u"-56"},
        {[](CWString& out) { rg_ZiJieLei(127).DumpText(out, 0); }, u"127"},
        {[](CWString& out) { rg_DuanZhengShuLei(-32768).DumpText(out, 0); }, u"-32768"},
        {[](CWString& out) { rg_ZiFuLei(0).DumpText(out, 0); }, u""},
        {[](CWString& out) { rg_ZiFuLei(u'x').DumpText(out, 0); }, u"x"},
        {[](CWString& out) { rg_ZiFuLei(u'中').DumpText(out, 0); }, u"中"},
        {[](CWString& out) { rg_ZiFuLei(u'\t').DumpText(out, 0); }, u"\t"},
        {[](CWString& out) { rg_ZhengShuLei(INT32_MIN).DumpText(out, 0); }, u"-2147483648"},
        {[](CWString& out) { rg_ZhengShuLei(0).DumpText(out, 0); }, u"0"},
        {[](CWString& out) { rg_BianZhengShuLei(-1).DumpText(out, 0); }, u"-1"},
        {[](CWString& out) { rg_ChangZhengShuLei(INT64_MIN).DumpText(out, 0); },
         u"-9223372036854775808"},
        {[](CWString& out) { rg_ChangZhengShuLei(INT64_MAX).DumpText(out, 0); },
         u"9223372036854775807"},
        {[](CWString& out) { rg_LuoJiXingLei(2).DumpText(out, 0); }, u"2"},
        {[](CWString& out) { rg_LuoJiXingLei(-1).DumpText(out, 0); }, u"-1"},
        // Within the zero window the float texts are "0".
        {[](CWString& out) { rg_XiaoShuLei(0.0000005).DumpText(out, 0); }, u"0"},
        {[](CWString& out) { rg_XiaoShuLei(-0.000001).DumpText(out, 0); }, u"0"},
        {[](CWString& out) { rg_ChanJingDuXiaoShuLei(0.000001f).DumpText(out, 0); }, u"0"},
        {[](CWString& out) { rg_ChanJingDuXiaoShuLei(-0.0f).DumpText(out, 0); }, u"0"},
        // Outside it: %.15G and %.8G, with two-digit exponents on every build.
        {[](CWString& out) { rg_XiaoShuLei(0.1).DumpText(out, 0); }, u"0.1"},
        {[](CWString& out) { rg_XiaoShuLei(1e20).DumpText(out, 0); }, u"1E+20"},
        {[](CWString& out) { rg_XiaoShuLei(-2.5e-6).DumpText(out, 0); }, u"-2.5E-06"},
        {[](CWString& out) { rg_XiaoShuLei(1.0 / 3).DumpText(out, 0); }, u"0.333333333333333"},
        {[](CWString& out) { rg_ChanJingDuXiaoShuLei(0.1f).DumpText(out, 0); }, u"0.1"},
        {[](CWString& out) { rg_ChanJingDuXiaoShuLei(1.0f / 3).DumpText(out, 0); }, u"0.33333334"},
        {[](CWString& out) { rg_ChanJingDuXiaoShuLei(3.4e38f).DumpText(out, 0); }, u"3.4E+38"},
    };
    for (const auto& c : cases) {
        CWString out(u"previous content");
        c.dump(out);
        EXPECT_EQ(Value(out), c.text);
        CWConstString literal(u"literal");
        c.dump(literal);
        EXPECT_EQ(Value(literal), c.text);
    }
}

TEST(BoxedValues, BaseDumpsTheGeneralObjectLine) {
    CTarnBaseDataType base;
    base.flags = 1;
    CWString out;
    base.DumpText(out, 0);
    const std::u16string text = Value(out);
    EXPECT_EQ(text.rfind(u"无法解析的对象数据,其输出类名为: \"CTarnBaseDataType\", 地址为: 0x", 0),
              0u);
    const std::u16string mark = u", 为空对象";
    EXPECT_EQ(text.substr(text.size() - mark.size()), mark);
}

// What every boxed class offers as a C++ value, checked per class: the value
// constructor is explicit, copies and assignment take the header and the
// value, and the typed results of CreateNew and Clone reach the value.
template <typename Boxed> class BoxedValueClass : public ::testing::Test {};

using BoxedValueTypes = ::testing::Types<rg_ZiJieLei, rg_DuanZhengShuLei, rg_ZiFuLei,
                                         rg_ZhengShuLei, rg_BianZhengShuLei, rg_ChangZhengShuLei,
                                         rg_ChanJingDuXiaoShuLei, rg_XiaoShuLei, rg_LuoJiXingLei>;
TYPED_TEST_SUITE(BoxedValueClass, BoxedValueTypes);

TYPED_TEST(BoxedValueClass, CopiesAndTypedResultsCarryHeaderAndValue) {
    using Boxed = TypeParam;
    using Held = decltype(Boxed::value);
    static_assert(!std::is_convertible_v<Held, Boxed>, "no silent boxing");
    static_assert(std::is_constructible_v<Boxed, Held>);
    static_assert(sizeof(Boxed) == sizeof(CTarnObject) + 8, "the value is the one field");
    PoolBalance balance;

    Boxed source(static_cast<Held>(7));
    source.flags = 1;
    source.extra = 0x5A;
    EXPECT_EQ(source.GetValuePtr(), &source.value);

    const Boxed copy(source);
    EXPECT_EQ(copy.value, static_cast<Held>(7));
    EXPECT_EQ(copy.flags, 1u);
    EXPECT_EQ(copy.extra, 0x5Au);

    Boxed assigned;
    assigned = source;
    EXPECT_TRUE(assigned.IsEqual(source));
    EXPECT_EQ(assigned.value, static_cast<Held>(7));

    auto* clone = source.Clone();
    EXPECT_EQ(clone->value, static_cast<Held>(7));
    EXPECT_EQ(&clone->GetClassInfo(), &Boxed::ClassRecord());
    FreeObject(clone);
    auto* made_new = source.CreateNew();
    EXPECT_EQ(made_new->value, static_cast<Held>(0));
    EXPECT_EQ(made_new->flags, 0u);
    EXPECT_EQ(&made_new->GetClassInfo(), &Boxed::ClassRecord());
    FreeObject(made_new);
}

// A boxed integer that records each overwrite it is told of, with the value
// it held when told.
class WatchedInteger : public rg_ZhengShuLei {
public:
    using rg_ZhengShuLei::rg_ZhengShuLei;
    void BeforeOverwrite() override {
        ++overwrites;
        value_when_told = value;
    }
    int overwrites = 0;
    int32_t value_when_told = 0;
};

TEST(BoxedValues, CopyAndResetAnnounceTheOverwriteFirst) {
    WatchedInteger target(4);
    EXPECT_TRUE(target.CopyFrom(rg_ZhengShuLei(7)));
    EXPECT_EQ(target.overwrites, 1);
    EXPECT_EQ(target.value_when_told, 4) << "told before the value changes";
    EXPECT_EQ(target.value, 7);

    EXPECT_FALSE(target.CopyFrom(rg_LuoJiXingLei(9)));
    EXPECT_FALSE(target.CopyFrom(CTarnBaseDataType()));
    EXPECT_EQ(target.overwrites, 1) << "a refused copy overwrites nothing";
    EXPECT_EQ(target.value, 7);

    target.extra = 3;
    target.Reset();
    EXPECT_EQ(target.overwrites, 2);
    EXPECT_EQ(target.value_when_told, 7);
    EXPECT_EQ(target.value, 0);
    EXPECT_EQ(target.extra, 0u);

    // An instance of a subclass is a kind of its boxed class and copies into
    // a plain one.
    target.value = 11;
    rg_ZhengShuLei plain;
    EXPECT_TRUE(plain.CopyFrom(target));
    EXPECT_EQ(plain.value, 11);
    EXPECT_TRUE(plain.IsEqual(target));
}

} // namespace
