#pragma once

// A chained hash map from byte strings to untyped pointers (the class registry and the
// literal table). Keys are copied; values are not owned. New keys go to the end of their
// chain. Memory comes from the runtime heap; not a managed object.

#include <cstdint>

#include "lib_src/vm/VMCString.h"

class VMStringMap {
public:
    static constexpr int kDefaultBuckets = 200;

    VMStringMap() { init(kDefaultBuckets); }
    explicit VMStringMap(int buckets) { init(buckets); }
    VMStringMap(const VMStringMap&) = delete;
    VMStringMap& operator=(const VMStringMap&) = delete;
    ~VMStringMap();

    // Java's string hash over the bytes taken as signed 8-bit values.
    static uint32_t hash(const VMCString& key);

    void put(const VMCString& key, void* value);
    // 1 and the value (when out is not null) for a present key, else 0.
    int get(const VMCString& key, void** out) const;
    // Frees every node and its key copy.
    void clear();

    int32_t count() const { return count_; }
    int32_t bucketCount() const { return bucketCount_; }

private:
    struct Node {
        void* value;
        VMCString* key;
        Node* next;
    };

    void init(int buckets);
    Node* newNode(const VMCString& key, void* value);
    uint32_t bucketOf(const VMCString& key) const;

    Node** buckets_ = nullptr;
    int32_t bucketCount_ = 0;
    int32_t count_ = 0;
};
