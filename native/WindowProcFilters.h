// CTarnWindowProcFilters, the window-procedure filter list of a native window, and the filter
// interface.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/TarnObject.h"

// A filter offered a native window's messages before its listener and its own
// processing. The filter's owner keeps it alive while it is listed.
class ITarnWindowProcFilter {
public:
    // Nonzero when the filter consumed the message; *result is the answer.
    virtual int32_t FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT* result) = 0;

protected:
    ~ITarnWindowProcFilter() = default;
};

// The filters of one native window, most recently added first; each filter is
// listed at most once. The list owns its nodes, not the filters.
//
// A filter may add or remove filters (itself included) or clear the list
// while Dispatch walks it: removed nodes are only marked while a walk is in
// progress and freed when the outermost walk ends, so no walk touches a freed
// node, and a removed filter is not asked again. One thread (the window's).
class CTarnWindowProcFilters : public CTarnCommonBase {
public:
    CTarnWindowProcFilters() = default;
    ~CTarnWindowProcFilters();
    CTarnWindowProcFilters(const CTarnWindowProcFilters&) = delete;
    CTarnWindowProcFilters& operator=(const CTarnWindowProcFilters&) = delete;

    // Takes every filter out; the list becomes empty.
    void Clear();
    // Lists filter at the head unless it is listed already; null is ignored.
    void Add(ITarnWindowProcFilter* filter);
    // Null: Clear and 1. Else 1 when the filter was listed and is taken out, 0
    // when it was not listed.
    int32_t Remove(ITarnWindowProcFilter* filter);
    // 0 for a null window; else asks each listed filter in order and returns
    // 1 at the first that consumes the message (its answer in *result).
    int32_t Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Filters listed (not counting those taken out during a walk).
    int64_t GetCount() const;

private:
    struct Node {
        ITarnWindowProcFilter* filter;
        Node* next;
        bool removed;
    };

    Node* Find(ITarnWindowProcFilter* filter) const;
    void Unlink(Node* node);
    void Sweep();

    Node* head_ = nullptr;
    int32_t walkDepth_ = 0;
    bool sweepPending_ = false;
};
