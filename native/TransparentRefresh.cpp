#include "native/TransparentRefresh.h"

#include <vector>

namespace {

// The nearest ancestor (or window itself) that is a pop-up or has no parent.
HWND PaintRoot(HWND window) {
    HWND root = window;
    for (;;) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(root, GWL_STYLE));
        HWND parent = GetParent(root);
        // Only a child has a parent it is drawn in (GetParent of a pop-up
        // answers its owner).
        if ((style & WS_POPUP) != 0 || (style & WS_CHILD) == 0 || parent == nullptr) {
            return root;
        }
        root = parent;
    }
}

// Appends the visible descendants of parent, top of the z-order first, each
// child's own descendants before the child.
void CollectVisibleDescendants(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) == 0) {
            continue;
        }
        CollectVisibleDescendants(child, out);
        out.push_back(child);
    }
}

} // namespace

void RefreshUnderTransparentWindow(HWND window) {
    if (window == nullptr || !IsWindow(window)) {
        return;
    }
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);

    HWND root = PaintRoot(window);
    RECT inRoot = area;
    MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&inRoot), 2);
    // The root paints the area before the windows inside it: a window that
    // paints itself validates the part of its parents' pending update that
    // it covers, so a root left to paint later would never reach it.
    RedrawWindow(root, &inRoot, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    std::vector<HWND> windows;
    CollectVisibleDescendants(root, windows);
    // Bottom-most first, so that what lies on top is drawn last.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        HWND each = *it;
        RECT bounds;
        RECT overlap;
        // A window destroyed by an earlier redraw is passed over.
        if (!GetWindowRect(each, &bounds) || !IntersectRect(&overlap, &area, &bounds)) {
            continue;
        }
        MapWindowPoints(nullptr, each, reinterpret_cast<POINT*>(&overlap), 2);
        RedrawWindow(each, &overlap, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
}
