#include "lib_src/vm/VMStringMap.h"

#include <cstring>
#include <new>

#include "lib_src/vm/VMHeap.h"

void VMStringMap::init(int buckets) {
    count_ = 0;
    bucketCount_ = buckets > 0 ? buckets : kDefaultBuckets;
    const uint64_t bytes = uint64_t(bucketCount_) * sizeof(Node*);
    buckets_ = static_cast<Node**>(_VM_allocateBytes(bytes));
    std::memset(buckets_, 0, bytes);
}

VMStringMap::~VMStringMap() {
    clear();
    _VM_free(buckets_);
}

uint32_t VMStringMap::hash(const VMCString& key) {
    uint32_t h = 0;
    if (const char* text = key.c_str()) {
        for (; *text; ++text) h = h * 31 + uint32_t(int32_t(static_cast<signed char>(*text)));
    }
    return h;
}

uint32_t VMStringMap::bucketOf(const VMCString& key) const { return hash(key) % uint32_t(bucketCount_); }

VMStringMap::Node* VMStringMap::newNode(const VMCString& key, void* value) {
    auto* node = static_cast<Node*>(_VM_allocateBytes(sizeof(Node)));
    void* keyBlock = nullptr;
    try {
        keyBlock = _VM_allocateBytes(sizeof(VMCString));
        node->key = new (keyBlock) VMCString(key);
    } catch (...) {
        _VM_free(keyBlock);
        _VM_free(node);
        throw;
    }
    node->value = value;
    node->next = nullptr;
    ++count_;
    return node;
}

static bool sameKey(const VMCString* a, const VMCString& b) {
    const char* x = a->c_str();
    const char* y = b.c_str();
    return (x == nullptr || y == nullptr) ? x == y : std::strcmp(x, y) == 0;
}

void VMStringMap::put(const VMCString& key, void* value) {
    Node** link = &buckets_[bucketOf(key)];
    for (; *link; link = &(*link)->next) {
        if (sameKey((*link)->key, key)) {
            (*link)->value = value;
            return;
        }
    }
    *link = newNode(key, value);
}

int VMStringMap::get(const VMCString& key, void** out) const {
    for (Node* node = buckets_[bucketOf(key)]; node; node = node->next) {
        if (sameKey(node->key, key)) {
            if (out) *out = node->value;
            return 1;
        }
    }
    return 0;
}

void VMStringMap::clear() {
    for (int32_t i = 0; i < bucketCount_; ++i) {
        for (Node* node = buckets_[i]; node;) {
            Node* next = node->next;
            node->key->~VMCString();
            _VM_free(node->key);
            _VM_free(node);
            node = next;
        }
        buckets_[i] = nullptr;
    }
    count_ = 0;
}
