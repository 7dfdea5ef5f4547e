// CRefTarnMenu: the shared menu object behind menu components: menu handle, accelerator table,
// items.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/RefObject.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

// A menu shared by menu components and the forms that show it; it lives as
// long as references to it exist (counted, 1 after construction).
//
// Ownership: the object owns its menu handle, its accelerator table and its
// item records, and releases all of them when it is cleared or destroyed. A
// form that shows the menu lends the handle to its window and takes it back
// before the window is destroyed, so the platform never destroys the menu
// with the window.
//
// Threads: used on the GUI thread; only the reference count may change elsewhere.
class CRefTarnMenu : public CRefObject {
public:
    CRefTarnMenu();
    ~CRefTarnMenu() override;

    static const LightClassInfo& ClassRecord();

    const LightClassInfo& GetClassInfo() const override;
    bool IsKindOf(const LightClassInfo& info) const override;
    void OnFinalRelease() override;
    // Called by a form with its window and 1 after the window shows the menu,
    // and with null and 0 before the form drops the menu. Nothing is kept here.
    virtual void AttachToWindow(HWND window, int attach);

    HMENU GetMenuHandle() const { return menu_; }
    HACCEL GetAcceleratorTable() const { return accelerators_; }
    // Takes ownership of a menu handle; the one held before is destroyed.
    void SetMenuHandle(HMENU menu);
    // Takes ownership of an accelerator table; the one held before is destroyed.
    void SetAcceleratorTable(HACCEL accelerators);

    const CWString& GetText() const { return text_; }
    void SetText(const CWString& text) { text_ = text; }

    // Takes ownership of an item record (freed with FreeObject); null is ignored.
    void AddItem(CTarnObject* item);
    int64_t GetItemCount() const;
    CTarnObject* GetItem(int64_t index) const;

    // Destroys the accelerator table and the menu, empties the text, frees
    // every item record and empties the list; afterwards the object holds nothing.
    void Clear();

private:
    uint64_t reserved_ = 0;
    uint64_t reserved_cleared_ = 0;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    CWString text_;
    CTarnMem items_;
};
