#include "runtime/PoolMem.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Texts of static storage: one that allocates while statics are being
// constructed, and one that stays without storage until a test fills it. When
// they are destroyed at exit the pool must still hold its region, or their
// storage would go back into memory that is already gone.
struct StaticTexts {
    CWString early{u"made while statics are constructed"};
    CWString late;

    ~StaticTexts() {
        CPoolMem& pool = ProcessMemPool();
        // The late text stays without storage in processes that never ran the
        // test filling it (those of the death tests).
        const uint8_t* late_storage = late.GetBuffer().GetData();
        const bool held = pool.FreeBlockCount() > 0 && pool.Contains(early.GetBuffer().GetData()) &&
                          (late_storage == nullptr || pool.Contains(late_storage));
        if (!held) {
            std::fputs("the pool was shut down before a static text was destroyed\n", stderr);
            std::abort();
        }
    }
};

StaticTexts static_texts;

TEST(PoolLifetime, StaticTextsTakeTheirStorageFromThePool) {
    EXPECT_TRUE(ProcessMemPool().Contains(static_texts.early.GetBuffer().GetData()));
    static_texts.late.Append(u"filled after main started");
    EXPECT_TRUE(ProcessMemPool().Contains(static_texts.late.GetBuffer().GetData()));
}

} // namespace
