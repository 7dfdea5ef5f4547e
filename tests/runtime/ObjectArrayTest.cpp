#include "runtime/ObjectArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/TarnMem.h"
#include "runtime/WString.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::PoolBalance;
using runtime_test::Value;

// A member that logs its own destruction, to see what an array frees and when.
class Tracked : public CTarnObject {
public:
    explicit Tracked(int tag_value) : tag(tag_value) {}
    Tracked(const Tracked& other) : CTarnObject(other), tag(other.tag) {}
    ~Tracked() override { destroyed.push_back(tag); }
    Tracked* Clone() const override { return new Tracked(*this); }

    int tag;
    static inline std::vector<int> destroyed;
};

// The address as "%I64X" prints it: uppercase hexadecimal without leading zeros.
std::u16string Hex(const void* address) {
    auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(address));
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return digits;
}

// The text a member entry starts with.
std::u16string EntryLine(int number, const std::u16string& name, const void* member) {
    return u"\r\n" + std::u16string(1, static_cast<char16_t>(u'0' + number)) +
           u". 对象输出类名: \"" + name + u"\", 地址: 0x" + Hex(member);
}

size_t Occurrences(const std::u16string& text, const std::u16string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::u16string::npos; at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

CTarnObjectArray TextsArray(std::initializer_list<const char16_t*> texts) {
    CTarnObjectArray array;
    for (const char16_t* text : texts) {
        array.Add(new CWString(text));
    }
    return array;
}

TEST(ObjectArray, RecordAndKind) {
    CTarnObjectArray array;
    EXPECT_STREQ(array.GetClassInfo().name, "CTarnObjectArray");
    EXPECT_TRUE(array.IsKindOf(CTarnObjectArray::ClassRecord()));
    EXPECT_TRUE(array.IsKindOf(CTarnObject::ClassRecord()));
    EXPECT_FALSE(array.IsKindOf(CTarnMem::ClassRecord()));
    CTarnObject* made = CTarnObjectArray::ClassRecord().create();
    EXPECT_EQ(&made->GetClassInfo(), &CTarnObjectArray::ClassRecord());
    FreeObject(made);
}

TEST(ObjectArray, AddKeepsOrderAndRefusesNullAndItself) {
    PoolBalance balance;
    CTarnObjectArray array;
    auto* first = new CWString(u"one");
    auto* second = new CTarnMem();
    EXPECT_TRUE(array.Add(first));
    EXPECT_TRUE(array.Add(second));
    EXPECT_FALSE(array.Add(nullptr));
    EXPECT_FALSE(array.Add(&array));
    ASSERT_EQ(array.GetCount(), 2);
    EXPECT_EQ(array.GetAt(0), first);
    EXPECT_EQ(array.GetAt(1), second);
    // 32 pointers fill one growth step; the 33rd takes a second.
    for (int i = 0; i < 30; ++i) {
        array.Add(new CTarnObject());
    }
    EXPECT_EQ(array.GetCount(), 32);
    array.Add(new CTarnObject());
    EXPECT_EQ(array.GetCount(), 33);
}

TEST(ObjectArray, RemoveAllFreesFirstToLastAndGivesStorageBack) {
    PoolBalance balance;
    Tracked::destroyed.clear();
    CTarnObjectArray array;
    for (int tag = 1; tag <= 4; ++tag) {
        array.Add(new Tracked(tag));
    }
    array.RemoveAll();
    EXPECT_EQ(Tracked::destroyed, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(array.GetCount(), 0);
    array.RemoveAll(); // nothing left to free
    EXPECT_EQ(Tracked::destroyed.size(), 4u);
}

TEST(ObjectArray, DestroyAndResetFreeTheMembers) {
    PoolBalance balance;
    Tracked::destroyed.clear();
    {
        CTarnObjectArray array;
        array.Add(new Tracked(7));
        array.Add(new Tracked(8));
    }
    EXPECT_EQ(Tracked::destroyed, (std::vector<int>{7, 8}));

    CTarnObjectArray* heap = new CTarnObjectArray();
    heap->Add(new Tracked(9));
    heap->flags = 1;
    heap->extra = 4;
    heap->Reset();
    EXPECT_EQ(heap->GetCount(), 0);
    EXPECT_EQ(heap->flags, 0u);
    EXPECT_EQ(heap->extra, 0u);
    heap->Add(new Tracked(10));
    FreeObject(heap);
    EXPECT_EQ(Tracked::destroyed, (std::vector<int>{7, 8, 9, 10}));
}

TEST(ObjectArray, CopyClonesEveryMember) {
    PoolBalance balance;
    CTarnObjectArray source = TextsArray({u"a", u"b"});
    source.extra = 3;
    CTarnObjectArray* copy = source.Clone();
    ASSERT_EQ(copy->GetCount(), 2);
    EXPECT_EQ(copy->extra, 3u);
    EXPECT_NE(copy->GetAt(0), source.GetAt(0));
    EXPECT_TRUE(copy->IsEqual(source));
    // Changing a member of the copy leaves the source's member alone.
    static_cast<CWString*>(copy->GetAt(0))->Append(u"changed");
    EXPECT_EQ(Value(*static_cast<CWString*>(source.GetAt(0))), u"a");
    EXPECT_FALSE(copy->IsEqual(source));
    FreeObject(copy);
    EXPECT_EQ(Value(*static_cast<CWString*>(source.GetAt(1))), u"b");
}

TEST(ObjectArray, CopyFromReplacesMembersAndChecksTheClass) {
    PoolBalance balance;
    Tracked::destroyed.clear();
    CTarnObjectArray target;
    target.Add(new Tracked(1));
    CTarnObjectArray source;
    source.Add(new Tracked(2));
    source.flags = 1;
    EXPECT_TRUE(target.CopyFrom(source));
    EXPECT_EQ(Tracked::destroyed, (std::vector<int>{1})) << "the old member is freed";
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(static_cast<Tracked*>(target.GetAt(0))->tag, 2);
    EXPECT_EQ(target.flags, 1u);

    CWString text(u"x");
    EXPECT_FALSE(target.CopyFrom(text));
    EXPECT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.flags, 1u);

    // Copying from itself keeps its members.
    EXPECT_TRUE(target.CopyFrom(target));
    EXPECT_EQ(target.GetCount(), 1);
    EXPECT_EQ(Tracked::destroyed.size(), 1u);
}

TEST(ObjectArray, CopyFromItsOwnMemberIsSafe) {
    PoolBalance balance;
    // outer holds inner; copying inner into outer frees inner only after its
    // members were cloned.
    CTarnObjectArray outer;
    auto* inner = new CTarnObjectArray(TextsArray({u"x", u"y"}));
    outer.Add(inner);
    outer.Add(new CWString(u"z"));
    EXPECT_TRUE(outer.CopyFrom(*inner));
    ASSERT_EQ(outer.GetCount(), 2);
    EXPECT_EQ(Value(*static_cast<CWString*>(outer.GetAt(0))), u"x");
    EXPECT_EQ(Value(*static_cast<CWString*>(outer.GetAt(1))), u"y");

    // The same through assignment, one level deeper.
    CTarnObjectArray top;
    auto* middle = new CTarnObjectArray();
    auto* bottom = new CTarnObjectArray(TextsArray({u"deep"}));
    middle->Add(bottom);
    top.Add(middle);
    top = *bottom;
    ASSERT_EQ(top.GetCount(), 1);
    EXPECT_EQ(Value(*static_cast<CWString*>(top.GetAt(0))), u"deep");
}

TEST(ObjectArray, EqualityComparesMembersInOrder) {
    PoolBalance balance;
    const CTarnObjectArray ab = TextsArray({u"a", u"b"});
    struct Case {
        CTarnObjectArray other;
        bool equal;
        const char* what;
    };
    std::vector<Case> cases;
    cases.push_back({TextsArray({u"a", u"b"}), true, "same members"});
    cases.push_back({TextsArray({u"b", u"a"}), false, "other order"});
    cases.push_back({TextsArray({u"a"}), false, "fewer members"});
    cases.push_back({TextsArray({u"a", u"b", u"c"}), false, "more members"});
    CTarnObjectArray other_class;
    other_class.Add(new CWString(u"a"));
    other_class.Add(new CWConstString(u"b")); // equal text, other class
    cases.push_back({other_class, false, "member of another class"});
    CTarnObjectArray marked = TextsArray({u"a", u"b"});
    marked.extra = 1;
    cases.push_back({marked, false, "extra differs"});
    for (const Case& c : cases) {
        EXPECT_EQ(ab.IsEqual(c.other), c.equal) << c.what;
        EXPECT_EQ(c.other.IsEqual(ab), c.equal) << c.what;
    }
    EXPECT_TRUE(CTarnObjectArray().IsEqual(CTarnObjectArray()));
    EXPECT_FALSE(CTarnObjectArray().IsEqual(CTarnObject()));
}

TEST(ObjectArray, DumpOfAnEmptyArrayIsTheHeaderAlone) {
    CTarnObjectArray array;
    CWString out(u">");
    array.DumpText(out, 0);
    EXPECT_EQ(Value(out), u"><数组> 总共 0 个成员:") << "the dump appends";
}

TEST(ObjectArray, DumpListsClassAddressMarkAndContent) {
    PoolBalance balance;
    CTarnObjectArray array;
    auto* text = new CWString(u"hi");
    auto* plain = new CTarnObject();
    plain->flags = 1;
    array.Add(text);
    array.Add(plain);
    CWString out;
    array.DumpText(out, 0);
    const std::u16string expected =
        u"<数组> 总共 2 个成员:" + EntryLine(1, u"CWString", text) + u", 内容:\r\nhi" +
        EntryLine(2, u"CTarnObject", plain) + u", 为空对象, 内容:\r\n" +
        u"无法解析的对象数据,其输出类名为: \"CTarnObject\", 地址为: 0x" + Hex(plain) +
        u", 为空对象";
    EXPECT_EQ(Value(out), expected);
}

TEST(ObjectArray, DumpLimitsTheMembersShown) {
    PoolBalance balance;
    CTarnObjectArray array;
    for (int i = 0; i < 70; ++i) {
        array.Add(new CWString(u"m"));
    }
    const struct {
        int32_t limit;
        std::u16string header;
        size_t entries;
    } cases[] = {
        {0, u"<数组> 总共 70 个成员,输出了 64 个,还有 6 个未被输出.", 64},
        {-1, u"<数组> 总共 70 个成员:", 70},
        {3, u"<数组> 总共 70 个成员,输出了 3 个,还有 67 个未被输出.", 3},
        {70, u"<数组> 总共 70 个成员:", 70},
        {71, u"<数组> 总共 70 个成员:", 70},
    };
    for (const auto& c : cases) {
        CWString out;
        array.DumpText(out, c.limit);
        const std::u16string text = Value(out);
        EXPECT_EQ(text.rfind(c.header, 0), 0u) << c.limit;
        EXPECT_EQ(Occurrences(text, u"对象输出类名"), c.entries) << c.limit;
    }
}

TEST(ObjectArray, NestedDumpFollowsTheContentMarkWithTheSameLimit) {
    PoolBalance balance;
    CTarnObjectArray outer;
    auto* inner = new CTarnObjectArray();
    for (int i = 0; i < 3; ++i) {
        inner->Add(new CWString(u"n"));
    }
    outer.Add(inner);
    outer.Add(new CWString(u"o"));
    CWString out;
    outer.DumpText(out, 2);
    const std::u16string text = Value(out);
    EXPECT_EQ(text.rfind(u"<数组> 总共 2 个成员:", 0), 0u);
    const std::u16string inner_start =
        u", 内容:\r\n<数组> 总共 3 个成员,输出了 2 个,还有 1 个未被输出.\r\n1. ";
    EXPECT_NE(text.find(inner_start), std::u16string::npos);
    // Two outer entries and two of the inner three.
    EXPECT_EQ(Occurrences(text, u"对象输出类名"), 4u);
    const std::u16string last = u", 内容:\r\no";
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

} // namespace
