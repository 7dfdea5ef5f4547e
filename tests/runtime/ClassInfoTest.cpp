#include "runtime/ClassInfo.h"
#include "runtime/RefObject.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

TEST(ClassNameHash, MatchesTheRecordedValues) {
    const struct {
        const char* name;
        uint32_t hash;
    } cases[] = {
        {"", 0x1},
        {"a", 0x61},
        {"CRefObject", 0x0A4B2F77},
        {"CTarnObject", 0x33B06A17},
        {"CWString", 0x0069F1B1},
        {"CWConstString", 0x03541119},
        {"CTarnMem", 0x0069DBC3},
        {"rg_tarn_base::rg_WenBenShuZuLei", 0x63A037CF},
        // Bytes above 0x7F count as negative values.
        {"\xE7\xB1\xBB\xE5\x90\x8D", 0x7FFDE6FD},
        {"\xFF", 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        const uint32_t hash = ClassNameHash(c.name, std::strlen(c.name));
        EXPECT_EQ(hash, c.hash) << c.name;
        EXPECT_EQ(hash & 1u, 1u) << "always odd";
        EXPECT_LT(hash, 0x80000000u) << "always below 2^31";
    }
}

TEST(ClassInfo, RecordsCarryTheStoredNames) {
    const struct {
        const ClassInfo& info;
        const char* name;
    } cases[] = {
        {CTarnObject::ClassRecord(), "CTarnObject"},
        {CTarnRefObject::ClassRecord(), "CTarnRefObject"},
        {CTarnMem::ClassRecord(), "CTarnMem"},
        {CWString::ClassRecord(), "CWString"},
        {CWConstString::ClassRecord(), "CWConstString"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.info.name, c.name);
        EXPECT_EQ(c.info.name_length, std::strlen(c.name));
        EXPECT_EQ(c.info.hash, ClassNameHash(c.name, std::strlen(c.name)));
        // The factory makes an instance of exactly that class.
        CTarnObject* made = c.info.create();
        EXPECT_EQ(&made->GetClassInfo(), &c.info) << c.name;
        FreeObject(made);
    }
    EXPECT_STREQ(CRefObject::ClassRecord().name, "CRefObject");
    EXPECT_EQ(CRefObject::ClassRecord().name_length, 10u);
    EXPECT_EQ(CRefObject::ClassRecord().hash, 0x0A4B2F77u);
}

TEST(ClassInfo, SameClassByAddressThenByContents) {
    const ClassInfo& text = CWString::ClassRecord();
    const ClassInfo copy = text;
    ClassInfo other_hash = text;
    other_hash.hash ^= 2;
    ClassInfo shorter = text;
    shorter.name_length -= 1;
    // Same hash and length but other bytes: only the name comparison tells.
    ClassInfo other_name = text;
    other_name.name = "CWStrinh";

    EXPECT_TRUE(SameClass(text, text));
    EXPECT_TRUE(SameClass(text, copy));
    EXPECT_FALSE(SameClass(text, other_hash));
    EXPECT_FALSE(SameClass(text, shorter));
    EXPECT_FALSE(SameClass(text, other_name));
    EXPECT_FALSE(SameClass(text, CWConstString::ClassRecord()));
}

TEST(IsKindOf, FollowsTheAncestorsOfEachClass) {
    CTarnObject object;
    CTarnRefObject holder;
    CTarnMem buffer;
    CWString text;
    CWConstString constant(u"c");
    const CTarnObject* objects[] = {&object, &holder, &buffer, &text, &constant};
    const ClassInfo* records[] = {&CTarnObject::ClassRecord(), &CTarnRefObject::ClassRecord(),
                                  &CTarnMem::ClassRecord(), &CWString::ClassRecord(),
                                  &CWConstString::ClassRecord()};
    // expected[object][record]
    const bool expected[5][5] = {
        {true, false, false, false, false}, {true, true, false, false, false},
        {true, false, true, false, false},  {true, false, false, true, false},
        {true, false, false, true, true},
    };
    for (int o = 0; o < 5; ++o) {
        for (int r = 0; r < 5; ++r) {
            EXPECT_EQ(objects[o]->IsKindOf(*records[r]), expected[o][r])
                << objects[o]->GetClassInfo().name << " kind of " << records[r]->name;
            // A copy of the record at another address answers the same.
            const ClassInfo copy = *records[r];
            EXPECT_EQ(objects[o]->IsKindOf(copy), expected[o][r]);
        }
    }
}

TEST(ClassInfo, ConcurrentFirstUseSeesOneRecord) {
    // Every thread must get the same fully built record.
    const ClassInfo* seen[4] = {};
    std::thread threads[4];
    for (int i = 0; i < 4; ++i) {
        threads[i] = std::thread([&seen, i] { seen[i] = &CWConstString::ClassRecord(); });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (const ClassInfo* info : seen) {
        EXPECT_EQ(info, &CWConstString::ClassRecord());
        EXPECT_EQ(info->hash, 0x03541119u);
    }
}

} // namespace
