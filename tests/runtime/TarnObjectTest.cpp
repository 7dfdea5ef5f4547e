#include "runtime/TarnObject.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>

#include "runtime/RefObject.h"
#include "tests/runtime/RuntimeTestSupport.h"

// The layouts other code and streams rely on: the header words follow the
// operations, the byte buffer's four words follow the header, a text embeds
// its buffer after the constant pointer.
static_assert(sizeof(CTarnObject) == 3 * 8, "operations, flags, extra");
static_assert(sizeof(CTarnMem) == 3 * 8 + 4 * 8, "header, data, capacity, size, step");
static_assert(sizeof(CWString) == 3 * 8 + 8 + sizeof(CTarnMem), "header, constant, buffer");
static_assert(sizeof(CWConstString) == sizeof(CWString), "no field of its own");
static_assert(sizeof(CRefObject) == 2 * 8, "operations, count");
static_assert(sizeof(CTarnRefObject) == 4 * 8, "header, counted pointer");
static_assert(sizeof(CPoolMem) == 10 * 8, "operations, start, end, list, block size, lock, "
                                          "untouched end, free count, blocks in use, held bytes");
static_assert(sizeof(ClassInfo) == 4 * 8 && sizeof(LightClassInfo) == 3 * 8, "records");

namespace {

using runtime_test::PoolBalance;
using runtime_test::Value;

// Counts constructions, destructions and the hook, to see what runs when.
class Probe : public CTarnObject {
public:
    Probe() { ++constructed; }
    ~Probe() override { ++destroyed; }
    void BeforeOverwrite() override { ++overwrites; }

    static inline int constructed = 0;
    static inline int destroyed = 0;
    int overwrites = 0;
};

TEST(TarnObject, NewObjectHasZeroHeaderWords) {
    CTarnObject object;
    EXPECT_EQ(object.flags, 0u);
    EXPECT_EQ(object.extra, 0u);
}

TEST(TarnObject, ResetClearsFlagsAndExtraAfterTheHook) {
    Probe probe;
    probe.flags = 1;
    probe.extra = 7;
    probe.Reset();
    EXPECT_EQ(probe.flags, 0u);
    EXPECT_EQ(probe.extra, 0u);
    EXPECT_EQ(probe.overwrites, 1);
}

TEST(TarnObject, EqualityComparesClassEmptyBitAndExtra) {
    CTarnObject a;
    CTarnObject b;
    EXPECT_TRUE(a.IsEqual(b));
    b.flags = 2; // only bit 0 takes part
    EXPECT_TRUE(a.IsEqual(b));
    b.flags = 1;
    EXPECT_FALSE(a.IsEqual(b));
    b.flags = 0;
    b.extra = 9;
    EXPECT_FALSE(a.IsEqual(b));
    CTarnMem buffer; // same header, other class
    EXPECT_FALSE(a.IsEqual(buffer));
    EXPECT_FALSE(buffer.IsEqual(a));
}

TEST(TarnObject, CloneAndCopyFromTakeTheHeader) {
    PoolBalance balance;
    CTarnObject source;
    source.flags = 1;
    source.extra = 0x1234;
    CTarnObject* clone = source.Clone();
    EXPECT_EQ(clone->flags, 1u);
    EXPECT_EQ(clone->extra, 0x1234u);
    EXPECT_TRUE(clone->IsEqual(source));
    FreeObject(clone);

    CTarnObject target;
    EXPECT_TRUE(target.CopyFrom(source));
    EXPECT_TRUE(target.IsEqual(source));
    // A CWString is a kind of CTarnObject, so a plain object takes its header.
    CWString text(u"x");
    text.extra = 5;
    EXPECT_TRUE(target.CopyFrom(text));
    EXPECT_EQ(target.extra, 5u);
}

TEST(TarnObject, CopyFromUnrelatedClassChangesNothing) {
    CTarnMem buffer;
    buffer.extra = 3;
    CWString text(u"keep");
    text.extra = 4;
    EXPECT_FALSE(text.CopyFrom(buffer));
    EXPECT_EQ(Value(text), u"keep");
    EXPECT_EQ(text.extra, 4u);
    EXPECT_FALSE(buffer.CopyFrom(text));
    EXPECT_EQ(buffer.extra, 3u);
    CTarnObject plain;
    EXPECT_FALSE(text.CopyFrom(plain));
}

TEST(TarnObject, InstancesComeFromThePoolAndGoBack) {
    PoolBalance balance;
    const int64_t free_before = ProcessMemPool().FreeBlockCount();
    CWString* text = new CWString(u"pooled");
    CTarnObject* made = CTarnMem::ClassRecord().create();
    EXPECT_TRUE(ProcessMemPool().Contains(text));
    EXPECT_TRUE(ProcessMemPool().Contains(made));
    // The object, and the text's storage, each took a block.
    EXPECT_EQ(ProcessMemPool().FreeBlockCount(), free_before - 3);
    FreeObject(text);
    made->FreeObject();
    FreeObject(nullptr); // does nothing
}

TEST(TarnObject, DestroyWithoutBitZeroKeepsTheMemory) {
    const int constructed = Probe::constructed;
    const int destroyed = Probe::destroyed;
    alignas(Probe) unsigned char place[sizeof(Probe)];
    Probe* probe = new (place) Probe();
    probe->Destroy(0);
    EXPECT_EQ(Probe::constructed, constructed + 1);
    EXPECT_EQ(Probe::destroyed, destroyed + 1);

    Probe* heap = new Probe();
    heap->Destroy(1);
    EXPECT_EQ(Probe::destroyed, destroyed + 2);
}

TEST(TarnObject, CreateNewAndCloneKeepTheDynamicClass) {
    PoolBalance balance;
    const CTarnObject& text = CWConstString(u"abc");
    CTarnObject* fresh = text.CreateNew();
    CTarnObject* clone = text.Clone();
    EXPECT_EQ(&fresh->GetClassInfo(), &CWConstString::ClassRecord());
    EXPECT_EQ(&clone->GetClassInfo(), &CWConstString::ClassRecord());
    EXPECT_EQ(Value(static_cast<CWString&>(*fresh)), u"");
    EXPECT_EQ(Value(static_cast<CWString&>(*clone)), u"abc");
    FreeObject(fresh);
    FreeObject(clone);
}

TEST(TarnObject, DefaultDumpNamesClassAndAddress) {
    CTarnObject object;
    CWString out;
    object.DumpText(out, 0);
    char address[32];
    std::snprintf(address, sizeof address, "%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&object)));
    const std::string narrow(address);
    const std::u16string expected =
        u"无法解析的对象数据,其输出类名为: \"CTarnObject\", 地址为: 0x" +
        std::u16string(narrow.begin(), narrow.end());
    EXPECT_EQ(Value(out), expected);

    // The default appends, and marks empty objects.
    object.flags = 1;
    CWString more(u">");
    object.DumpText(more, -1);
    EXPECT_EQ(Value(more), u">" + expected + u", 为空对象");
}

} // namespace
