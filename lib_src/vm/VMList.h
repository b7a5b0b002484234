#pragma once

// A doubly linked list of untyped, non-null pointers (interface lists, the thread list,
// the event-listener lists). Values are not owned. Not a managed object.

class VMList {
public:
    struct Node {
        void* value;
        Node* next;
        Node* prev;
    };

    VMList() = default;
    VMList(const VMList&) = delete;
    VMList& operator=(const VMList&) = delete;
    ~VMList() { clear(); }

    void pushFront(void* value);
    void pushBack(void* value);
    // Unlinks the first node holding value.
    void remove(void* value);
    void unlink(Node* node);
    void clear();

    Node* begin() const { return head_; }
    static Node* next(Node* node) { return node ? node->next : nullptr; }
    static void* value(Node* node) { return node ? node->value : nullptr; }
    bool empty() const { return head_ == nullptr; }
    Node* tail() const { return tail_; }

private:
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
};
