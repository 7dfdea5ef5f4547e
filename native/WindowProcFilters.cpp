#include "native/WindowProcFilters.h"

CTarnWindowProcFilters::~CTarnWindowProcFilters() {
    walkDepth_ = 0;
    Clear();
}

CTarnWindowProcFilters::Node* CTarnWindowProcFilters::Find(ITarnWindowProcFilter* filter) const {
    for (Node* node = head_; node != nullptr; node = node->next) {
        if (node->filter == filter && !node->removed) {
            return node;
        }
    }
    return nullptr;
}

void CTarnWindowProcFilters::Unlink(Node* node) {
    if (walkDepth_ > 0) {
        // A walk may stand on this node: it is freed when the walks are over.
        node->removed = true;
        sweepPending_ = true;
        return;
    }
    Node** link = &head_;
    while (*link != node) {
        link = &(*link)->next;
    }
    *link = node->next;
    delete node;
}

void CTarnWindowProcFilters::Sweep() {
    Node** link = &head_;
    while (*link != nullptr) {
        Node* node = *link;
        if (node->removed) {
            *link = node->next;
            delete node;
        } else {
            link = &node->next;
        }
    }
    sweepPending_ = false;
}

void CTarnWindowProcFilters::Clear() {
    if (walkDepth_ > 0) {
        for (Node* node = head_; node != nullptr; node = node->next) {
            node->removed = true;
        }
        sweepPending_ = head_ != nullptr;
        return;
    }
    while (head_ != nullptr) {
        Node* next = head_->next;
        delete head_;
        head_ = next;
    }
    sweepPending_ = false;
}

void CTarnWindowProcFilters::Add(ITarnWindowProcFilter* filter) {
    if (filter == nullptr || Find(filter) != nullptr) {
        return;
    }
    head_ = new Node{filter, head_, false};
}

int32_t CTarnWindowProcFilters::Remove(ITarnWindowProcFilter* filter) {
    if (filter == nullptr) {
        Clear();
        return 1;
    }
    Node* node = Find(filter);
    if (node == nullptr) {
        return 0;
    }
    Unlink(node);
    return 1;
}

int32_t CTarnWindowProcFilters::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT* result) {
    if (hwnd == nullptr) {
        return 0;
    }
    LRESULT answer = 0;
    int32_t consumed = 0;
    ++walkDepth_;
    for (Node* node = head_; node != nullptr; node = node->next) {
        if (node->removed) {
            continue;
        }
        if (node->filter->FilterMessage(hwnd, message, wParam, lParam, &answer) != 0) {
            consumed = 1;
            break;
        }
    }
    if (--walkDepth_ == 0 && sweepPending_) {
        Sweep();
    }
    if (consumed != 0 && result != nullptr) {
        *result = answer;
    }
    return consumed;
}

int64_t CTarnWindowProcFilters::GetCount() const {
    int64_t count = 0;
    for (Node* node = head_; node != nullptr; node = node->next) {
        count += node->removed ? 0 : 1;
    }
    return count;
}
