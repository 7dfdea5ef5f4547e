#include "components/Menu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using rg_tarn_base::rg_KeSheJiLei;
using rg_tarn_MFCJieMian_base::rg_CaiChanLei;

// An item record that counts the records alive.
class CountedItem : public CTarnObject {
public:
    static inline int alive = 0;
    CountedItem() { ++alive; }
    ~CountedItem() override { --alive; }
};

// A menu with a real menu handle (one item, id 501) and an accelerator table
// (Ctrl+M for 501).
CRefTarnMenu* MakeLiveMenu() {
    auto* menu = new CRefTarnMenu();
    HMENU handle = CreateMenu();
    AppendMenuW(handle, MF_STRING, 501, L"&Item");
    menu->SetMenuHandle(handle);
    ACCEL accel = {FVIRTKEY | FCONTROL, 'M', 501};
    menu->SetAcceleratorTable(CreateAcceleratorTableW(&accel, 1));
    return menu;
}

bool AcceleratorsAlive(HACCEL table) {
    return CopyAcceleratorTableW(table, nullptr, 0) > 0;
}

TEST(Menu, ClassesAndKinds) {
    rg_KeSheJiLei designable;
    rg_CaiChanLei menu;
    EXPECT_STREQ(designable.GetClassInfo().name, "rg_tarn_base::rg_KeSheJiLei");
    EXPECT_STREQ(menu.GetClassInfo().name, "rg_tarn_MFCJieMian_base::rg_CaiChanLei");
    EXPECT_TRUE(menu.IsKindOf(rg_KeSheJiLei::ClassRecord()));
    EXPECT_TRUE(menu.IsKindOf(CTarnRefObject::ClassRecord()));
    EXPECT_FALSE(designable.IsKindOf(rg_CaiChanLei::ClassRecord()));
    EXPECT_TRUE(menu.GetDesignText().IsEmpty());
    CRefTarnMenu* shared = menu.CreateMenuObject();
    EXPECT_STREQ(shared->GetClassInfo().name, "CRefTarnMenu");
    EXPECT_TRUE(shared->IsKindOf(CRefObject::ClassRecord()));
    EXPECT_EQ(shared->GetRefCount(), 1);
    EXPECT_EQ(shared->GetMenuHandle(), nullptr);
    EXPECT_EQ(shared->GetAcceleratorTable(), nullptr);
    EXPECT_EQ(shared->GetItemCount(), 0);
    shared->Release();
    EXPECT_EQ(menu.GetMenu(), nullptr) << "a new component holds no menu";
}

TEST(Menu, CopiesShareOneMenuAndResetLeavesTheOtherIntact) {
    CRefTarnMenu* shared = MakeLiveMenu();
    const HMENU handle = shared->GetMenuHandle();
    rg_CaiChanLei first;
    first.SetMenu(shared);
    shared->Release(); // the component keeps it alive
    rg_CaiChanLei second;
    ASSERT_TRUE(second.CopyFrom(first));
    EXPECT_EQ(second.GetMenu(), first.GetMenu());
    EXPECT_TRUE(second.IsEqual(first));
    EXPECT_EQ(shared->GetRefCount(), 2);

    second.Reset();
    EXPECT_EQ(second.GetMenu(), nullptr);
    EXPECT_FALSE(second.IsEqual(first));
    EXPECT_EQ(first.GetMenu(), shared);
    EXPECT_TRUE(IsMenu(handle)) << "Reset of one copy destroyed the shared menu";

    auto* clone = static_cast<rg_CaiChanLei*>(first.Clone());
    EXPECT_EQ(clone->GetMenu(), shared);
    EXPECT_TRUE(clone->IsEqual(first));
    FreeObject(clone);
    EXPECT_EQ(shared->GetRefCount(), 1);
}

TEST(Menu, CopyFromAcceptsOnlyItsOwnKind) {
    CRefTarnMenu* shared = MakeLiveMenu();
    rg_CaiChanLei menu;
    menu.SetMenu(shared);
    shared->Release();
    rg_KeSheJiLei designable;
    const struct {
        const char* name;
        CTarnObject* target;
        const CTarnObject* source;
        bool accepted;
    } cases[] = {
        {"a designable takes a menu", &designable, &menu, true},
        {"a menu refuses a plain designable", &menu, &designable, false},
        {"a menu refuses a counted value of another class", &menu, &designable, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.target->CopyFrom(*c.source), c.accepted) << c.name;
    }
    EXPECT_EQ(menu.GetMenu(), shared) << "a refused copy changed the menu";
    EXPECT_EQ(designable.GetRef(), shared);
    EXPECT_FALSE(designable.IsEqual(menu)) << "different classes never compare equal";
}

TEST(Menu, TheLastReleaseDestroysMenuAcceleratorsAndItems) {
    CRefTarnMenu* shared = MakeLiveMenu();
    const HMENU handle = shared->GetMenuHandle();
    const HACCEL table = shared->GetAcceleratorTable();
    ASSERT_TRUE(IsMenu(handle));
    ASSERT_TRUE(AcceleratorsAlive(table));
    shared->SetText(CWString(u"File"));
    shared->AddItem(new CountedItem());
    shared->AddItem(new CountedItem());
    shared->AddItem(nullptr);
    EXPECT_EQ(shared->GetItemCount(), 2);
    EXPECT_EQ(CountedItem::alive, 2);
    {
        auto* component = new rg_CaiChanLei();
        component->SetMenu(shared);
        shared->Release();
        rg_CaiChanLei copy(*component);
        FreeObject(component);
        EXPECT_TRUE(IsMenu(handle)) << "the copy still refers to the menu";
    }
    EXPECT_FALSE(IsMenu(handle));
    EXPECT_FALSE(AcceleratorsAlive(table));
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST(Menu, ClearEmptiesEverythingAndCanRunTwice) {
    CRefTarnMenu* shared = MakeLiveMenu();
    const HMENU handle = shared->GetMenuHandle();
    shared->SetText(CWString(u"Edit"));
    shared->AddItem(new CountedItem());
    for (int round = 0; round < 2; ++round) {
        shared->Clear();
        EXPECT_EQ(shared->GetMenuHandle(), nullptr);
        EXPECT_EQ(shared->GetAcceleratorTable(), nullptr);
        EXPECT_TRUE(shared->GetText().IsEmpty());
        EXPECT_EQ(shared->GetItemCount(), 0);
        EXPECT_EQ(CountedItem::alive, 0);
    }
    EXPECT_FALSE(IsMenu(handle));
    // Replacing a handle destroys the one held before.
    HMENU first = CreateMenu();
    HMENU second = CreateMenu();
    shared->SetMenuHandle(first);
    shared->SetMenuHandle(first);
    EXPECT_TRUE(IsMenu(first)) << "setting the same handle again destroyed it";
    shared->SetMenuHandle(second);
    EXPECT_FALSE(IsMenu(first));
    shared->Release();
    EXPECT_FALSE(IsMenu(second));
}

} // namespace
