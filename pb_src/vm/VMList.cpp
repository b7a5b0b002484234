#include "lib_src/vm/VMList.h"

#include "lib_src/vm/VMHeap.h"

namespace {

VMList::Node* newNode(void* value, VMList::Node* next, VMList::Node* prev) {
    auto* node = static_cast<VMList::Node*>(_VM_allocateBytes(sizeof(VMList::Node)));
    *node = VMList::Node{value, next, prev};
    return node;
}

}  // namespace

void VMList::pushFront(void* value) {
    if (value == nullptr) return;
    Node* node = newNode(value, head_, nullptr);
    if (head_) head_->prev = node;
    else tail_ = node;
    head_ = node;
}

void VMList::pushBack(void* value) {
    if (value == nullptr) return;
    Node* node = newNode(value, nullptr, tail_);
    if (tail_) tail_->next = node;
    else head_ = node;
    tail_ = node;
}

void VMList::remove(void* value) {
    for (Node* node = head_; node; node = node->next) {
        if (node->value == value) return unlink(node);
    }
}

void VMList::unlink(Node* node) {
    (node->prev ? node->prev->next : head_) = node->next;
    (node->next ? node->next->prev : tail_) = node->prev;
    _VM_free(node);
}

void VMList::clear() {
    for (Node* node = head_; node;) {
        Node* next = node->next;
        _VM_free(node);
        node = next;
    }
    head_ = tail_ = nullptr;
}
