// Allocation and collection figures for the runtime:
// - churn: allocate and drop a few million small objects that hold references, against a
//   live set of about 100,000 objects; objects per second and collections; then the same
//   churn again, timing each allocation, for the pauses of the collections it triggers;
// - collection pause against the live-set size;
// - the cost of constructing and destroying a local handle.
// bench/java/AllocationBench.java runs the same workload on a JVM (compare-allocation.sh).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/BenchRuntime.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMThread.h"

namespace bench {

class Node : public virtual java::lang::Object {
    VM_CLASS(Node, java::lang::Object)
    VMPtr<Node> _VM_init() { return this; }
    void _VM_mark(uint32_t flags) override { vmMarkField(next, flags); }
    VMPtr<Node> next{vmField()};
    int32_t value = 0;
};

}  // namespace bench

VM_DEFINE_CLASS(bench::Node, "bench.Node", "java.lang.Object", VM_NO_CLINIT)

namespace {

using Clock = std::chrono::steady_clock;
using bench::Node;
using Nodes = VMArray<Node*, 1>;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

VMPtr<Node> newNode(int32_t value) {
    VMPtr<Node> node = Node::_VM_new();
    node->_VM_init();
    node->value = value;
    return node;
}

// A live set of `size` nodes, each pointing at another one.
VMPtr<Nodes> buildLiveSet(int32_t size) {
    VMPtr<Nodes> live = Nodes::_VM_new(size);
    for (int32_t i = 0; i < size; ++i) live->set(i, newNode(i));
    for (int32_t i = 0; i < size; ++i) live->at(i)->next = live->at((i * 7 + 1) % size);
    return live;
}

void churn(VM* vm) {
    constexpr int32_t kLive = 100000;
    constexpr int64_t kAllocations = 3000000;
    VMPtr<Nodes> live = buildLiveSet(kLive);
    uint32_t seed = 12345;
    const uint32_t collectionsBefore = vm->collections;
    const auto start = Clock::now();
    for (int64_t i = 0; i < kAllocations; ++i) {
        seed = seed * 1103515245 + 12345;
        VMPtr<Node> node = newNode(int32_t(i));
        node->next = live->at(int32_t(seed % kLive));
        if (i % 16 == 0) live->set(int32_t((seed >> 8) % kLive), node);  // the live set turns over
    }
    const double elapsed = seconds(Clock::now() - start);
    std::printf("churn: %lld objects in %.3f s = %.2f M objects/s, %u collections\n", (long long)kAllocations,
                elapsed, kAllocations / elapsed / 1e6, vm->collections - collectionsBefore);
}

// The allocations that triggered a collection, timed one by one: their median and longest.
void churnPauses(VM* vm) {
    constexpr int32_t kLive = 100000;
    constexpr int64_t kAllocations = 1000000;
    VMPtr<Nodes> live = buildLiveSet(kLive);
    uint32_t seed = 54321;
    std::vector<double> samples;
    for (int64_t i = 0; i < kAllocations; ++i) {
        seed = seed * 1103515245 + 12345;
        const uint32_t collectionsBefore = vm->collections;
        const auto start = Clock::now();
        VMPtr<Node> node = newNode(int32_t(i));
        const auto end = Clock::now();
        if (vm->collections != collectionsBefore) samples.push_back(seconds(end - start) * 1000);
        node->next = live->at(int32_t(seed % kLive));
        if (i % 16 == 0) live->set(int32_t((seed >> 8) % kLive), node);
    }
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    std::printf("churn pauses: %zu collections, median %.2f ms, longest %.2f ms\n", samples.size(),
                samples[samples.size() / 2], samples.back());
}

void pauses(VM* vm) {
    for (int32_t size : {10000, 50000, 100000, 200000, 400000}) {
        VMPtr<Nodes> live = buildLiveSet(size);
        vm->collect();
        std::vector<double> samples;
        for (int round = 0; round < 5; ++round) {
            const auto start = Clock::now();
            vm->collect();
            samples.push_back(seconds(Clock::now() - start) * 1000);
        }
        std::sort(samples.begin(), samples.end());
        std::printf("pause: live set %7d objects: median %.2f ms\n", size, samples[samples.size() / 2]);
    }
}

void handles() {
    constexpr int64_t kRounds = 20000000;
    VMPtr<Node> target = newNode(0);
    Node* raw = target.get();
    const auto start = Clock::now();
    for (int64_t i = 0; i < kRounds; ++i) {
        VMPtr<Node> handle(raw);
        asm volatile("" : : "r"(&handle) : "memory");
    }
    const double elapsed = seconds(Clock::now() - start);
    std::printf("handle construct+destroy: %.2f ns\n", elapsed / kRounds * 1e9);
}

}  // namespace

int main() {
    VM* vm = benchRuntime();
    churn(vm);
    churnPauses(vm);
    pauses(vm);
    handles();
    return 0;
}
