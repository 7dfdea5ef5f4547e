#include "runtime/RefObject.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/runtime/RuntimeTestSupport.h"

namespace {

using runtime_test::PoolBalance;

// Records the order of the final hook and the destructor.
class Counted : public CRefObject {
public:
    explicit Counted(std::string* log) : log_(log) {}
    ~Counted() override { *log_ += "destroyed;"; }
    void OnFinalRelease() override { *log_ += "final;"; }

private:
    std::string* log_;
};

TEST(RefObject, ReleaseDestroysOnlyAtTheLastReference) {
    PoolBalance balance;
    std::string log;
    auto* counted = new Counted(&log);
    EXPECT_EQ(counted->GetRefCount(), 1);
    counted->AddRef();
    EXPECT_FALSE(counted->Release());
    EXPECT_EQ(counted->GetRefCount(), 1);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(counted->Release());
    EXPECT_EQ(log, "final;destroyed;");
}

TEST(RefObject, LightRecordAndKindTest) {
    std::string log;
    Counted counted(&log);
    EXPECT_STREQ(counted.GetClassInfo().name, "CRefObject");
    EXPECT_TRUE(counted.IsKindOf(CRefObject::ClassRecord()));
    const LightClassInfo copy = CRefObject::ClassRecord();
    EXPECT_TRUE(counted.IsKindOf(copy));
    EXPECT_FALSE(counted.IsKindOf(MakeLightClassInfo("CMStringArray")));
}

TEST(RefObject, CountSurvivesConcurrentAddRefAndRelease) {
    PoolBalance balance;
    std::string log;
    auto* counted = new Counted(&log);
    auto churn = [counted] {
        for (int i = 0; i < 20000; ++i) {
            counted->AddRef();
            counted->Release();
        }
    };
    std::thread a(churn);
    std::thread b(churn);
    a.join();
    b.join();
    EXPECT_EQ(counted->GetRefCount(), 1);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(counted->Release());
}

TEST(TarnRefObject, CopiesShareTheCountedObject) {
    PoolBalance balance;
    std::string log;
    auto* counted = new Counted(&log);
    {
        CTarnRefObject a;
        a.AttachRef(counted); // takes over the creation reference
        CTarnRefObject b(a);
        EXPECT_EQ(counted->GetRefCount(), 2);
        EXPECT_TRUE(a.IsEqual(b));
        CTarnRefObject* clone = a.Clone();
        EXPECT_EQ(clone->GetRef(), counted);
        EXPECT_EQ(counted->GetRefCount(), 3);
        FreeObject(clone);
        EXPECT_EQ(counted->GetRefCount(), 2);

        // Equality is identity of the counted object, and the header.
        b.extra = 1;
        EXPECT_FALSE(a.IsEqual(b));
        b.extra = 0;
        std::string other_log;
        CTarnRefObject c;
        c.AttachRef(new Counted(&other_log));
        EXPECT_FALSE(a.IsEqual(c));

        // CopyFrom takes the new reference and releases the old one.
        EXPECT_TRUE(c.CopyFrom(a));
        EXPECT_EQ(other_log, "final;destroyed;");
        EXPECT_EQ(counted->GetRefCount(), 3);
        EXPECT_TRUE(c.IsEqual(a));

        c.flags = 1;
        c.extra = 7;
        c.Reset();
        EXPECT_EQ(c.GetRef(), nullptr);
        EXPECT_EQ(c.flags, 0u);
        EXPECT_EQ(c.extra, 0u);
        EXPECT_EQ(counted->GetRefCount(), 2);
        EXPECT_EQ(log, "");
    }
    EXPECT_EQ(log, "final;destroyed;");
}

TEST(TarnRefObject, AssigningTheHeldObjectKeepsItAlive) {
    PoolBalance balance;
    std::string log;
    CTarnRefObject a;
    a.AttachRef(new Counted(&log));
    CTarnRefObject& alias = a;
    a = alias;
    a.SetRef(a.GetRef());
    EXPECT_EQ(a.GetRef()->GetRefCount(), 1);
    EXPECT_EQ(log, "");
    CTarnRefObject* fresh = a.CreateNew();
    EXPECT_EQ(fresh->GetRef(), nullptr);
    FreeObject(fresh);
}

TEST(TarnRefObject, CopyFromRefusesOtherClasses) {
    std::string log;
    CTarnRefObject holder;
    holder.AttachRef(new Counted(&log));
    CTarnObject plain;
    EXPECT_FALSE(holder.CopyFrom(plain));
    EXPECT_NE(holder.GetRef(), nullptr);
}

} // namespace
