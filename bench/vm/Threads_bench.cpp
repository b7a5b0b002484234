// Thread figures for the runtime, one line per workload:
// - ping-pong: the start-up thread and one managed thread pass a token back and forth
//   through wait and notify on one monitor; an operation is one round trip, so ns_per_op
//   is the mean round-trip latency;
// - start-join: a thread is created, started and waited for (join: wait on its Thread
//   until it is no longer alive) before the next one is created; an operation is one thread;
// - monitor-2, monitor-4: two or four threads each increment a shared counter inside a
//   synchronized block; an operation is one acquisition. The threads are held at a start
//   gate (another object) until all of them are ready;
// - monitor-waited-2: the same with two threads, but the start gate is the counter's own
//   monitor, so the monitor has been waited on before the counting starts (which matters
//   to the runtime, whose monitors change representation the first time they are waited
//   on; to a JVM it is the same program).
// Only one thread runs managed code at a time in the runtime: a thread keeps the VM lock
// until it blocks or yields, so "contended" threads mostly take turns in long runs. The
// handoffs field counts the acquisitions made by another thread than the previous one,
// which shows how often the monitor actually changed hands.
// Every workload folds its results into a checksum that is printed (the contended ones
// also check the final count). Each runs one warm-up round and three measured rounds; the
// median is reported. bench/java/ThreadsBench.java runs the same workloads on a JVM
// (compare-threads.sh).
//
// Output, one line per workload:
//   <name> ops=<operations per round> ns_per_op=<median> mops_per_s=<median> checksum=<value> [extra fields]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/java_lang_Thread.h"

namespace bench {

// Runs a native body on a managed thread.
class Task : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(Task, java::lang::Object)
    VMPtr<Task> _VM_init() { return this; }
    void run() override { body(); }
    std::function<void()> body;
};

}  // namespace bench

VM_DEFINE_CLASS(bench::Task, "bench.Task", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(bench::Task, "java.lang.Runnable")

namespace {

using Clock = std::chrono::steady_clock;
using java::lang::Object;
using java::lang::Thread;
using Threads = VMArray<Thread*, 1>;

// Operations per round; compare-threads.sh relies on ThreadsBench.java using the same.
constexpr int32_t kPingPongRoundTrips = 20000;
constexpr int32_t kStartJoinThreads = 2000;
constexpr int32_t kMonitorIncrements = 1000000;       // per thread
constexpr int32_t kWaitedMonitorIncrements = 100000; // per thread
constexpr int kWarmUpRounds = 1;
constexpr int kMeasuredRounds = 3;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

VMPtr<Thread> newThread(std::function<void()> body) {
    VMPtr<bench::Task> task = bench::Task::_VM_new();
    task->_VM_init();
    task->body = std::move(body);
    VMPtr<Thread> thread = Thread::_VM_new();
    thread->_VM_init(task);
    return thread;
}

// Waits for the thread's end as Thread.join does: on the Thread's monitor, which the
// ending thread notifies.
void join(const VMPtr<Thread>& thread) {
    VM_SYNCHRONIZED(thread.get());
    while (thread->isAlive()) thread->wait(0);
}

struct Round {
    double seconds = 0;
    int64_t checksum = 0;
    std::string extra;  // further fields, each " key=value"
};

// The start-up thread throws the token (a positive number: the partner's turn), the partner
// throws back its negation (the start-up thread's turn). One untimed round trip first
// makes sure the partner is running.
Round pingPong(int32_t roundTrips) {
    VMPtr<Object> monitor = Object::_VM_new();
    int64_t token = 0;
    int64_t partnerSum = 0;
    VMPtr<Thread> partner = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        for (int32_t i = 0; i <= roundTrips; ++i) {
            while (token <= 0) monitor->wait(0);
            partnerSum += token;
            token = -token;
            monitor->notify();
        }
    });
    partner->start();
    int64_t sum = 0;
    Clock::time_point start;
    {
        VM_SYNCHRONIZED(monitor.get());
        for (int32_t i = 0; i <= roundTrips; ++i) {
            if (i == 1) start = Clock::now();
            token = i + 1;
            monitor->notify();
            while (token >= 0) monitor->wait(0);
            sum -= token;
        }
    }
    Round round;
    round.seconds = seconds(Clock::now() - start);
    join(partner);
    round.checksum = sum + partnerSum;
    char extra[64];
    std::snprintf(extra, sizeof extra, " mean_rtt_us=%.3f", round.seconds / roundTrips * 1e6);
    round.extra = extra;
    return round;
}

// A finished thread's record and platform thread are reclaimed by the collection that
// finds its Thread unreachable; this workload allocates too little to trigger one, so a
// collection after the round reclaims them. Its cost is reported apart (reclaim_ns_per_op)
// and kept out of the round's time.
Round startJoin(int32_t threads) {
    int64_t sum = 0;
    const auto start = Clock::now();
    for (int32_t i = 0; i < threads; ++i) {
        VMPtr<Thread> thread = newThread([&sum, i] { sum += i; });
        thread->start();
        join(thread);
    }
    Round round;
    round.seconds = seconds(Clock::now() - start);
    round.checksum = sum;
    const auto collectStart = Clock::now();
    VM::instance()->collect();
    char extra[64];
    std::snprintf(extra, sizeof extra, " reclaim_ns_per_op=%.0f",
                  seconds(Clock::now() - collectStart) / threads * 1e9);
    round.extra = extra;
    return round;
}

// Each thread waits at the gate until every thread is ready and the start-up thread opens
// it; the time runs from the opening to the end of the last thread.
Round contended(int32_t threadCount, int32_t increments, bool gateIsCounterMonitor) {
    VMPtr<Object> lock = Object::_VM_new();
    VMPtr<Object> separateGate = Object::_VM_new();
    Object* gate = gateIsCounterMonitor ? lock.get() : separateGate.get();
    int32_t ready = 0;
    bool open = false;
    int64_t counter = 0;
    int64_t handoffs = 0;
    int32_t lastOwner = -1;
    VMPtr<Threads> threads = Threads::_VM_new(threadCount);
    for (int32_t t = 0; t < threadCount; ++t) {
        threads->set(t, newThread([&, t] {
            {
                VM_SYNCHRONIZED(gate);
                ++ready;
                gate->notifyAll();
                while (!open) gate->wait(0);
            }
            for (int32_t i = 0; i < increments; ++i) {
                VM_SYNCHRONIZED(lock.get());
                ++counter;
                if (lastOwner != t) {
                    ++handoffs;
                    lastOwner = t;
                }
            }
        }));
    }
    for (int32_t t = 0; t < threadCount; ++t) threads->at(t)->start();
    Clock::time_point start;
    {
        VM_SYNCHRONIZED(gate);
        while (ready < threadCount) gate->wait(0);
        open = true;
        start = Clock::now();
        gate->notifyAll();
    }
    for (int32_t t = 0; t < threadCount; ++t) join(threads->at(t));
    Round round;
    round.seconds = seconds(Clock::now() - start);
    if (counter != int64_t(threadCount) * increments) {
        std::fprintf(stderr, "contended: count %lld, expected %lld\n", (long long)counter,
                     (long long)threadCount * increments);
        std::exit(1);
    }
    round.checksum = counter;
    round.extra = " handoffs=" + std::to_string(handoffs);
    return round;
}

// Runs a workload for the warm-up rounds, then the measured rounds, and prints the median
// round (with its extra fields).
void run(const char* name, int64_t ops, const std::function<Round()>& workload) {
    for (int round = 0; round < kWarmUpRounds; ++round) workload();
    std::vector<Round> rounds;
    for (int round = 0; round < kMeasuredRounds; ++round) rounds.push_back(workload());
    std::sort(rounds.begin(), rounds.end(), [](const Round& a, const Round& b) { return a.seconds < b.seconds; });
    const Round& median = rounds[rounds.size() / 2];
    std::printf("%s ops=%lld ns_per_op=%.2f mops_per_s=%.3f checksum=%lld%s\n", name, (long long)ops,
                median.seconds / double(ops) * 1e9, double(ops) / median.seconds / 1e6, (long long)median.checksum,
                median.extra.c_str());
    std::fflush(stdout);
}

}  // namespace

// With an argument, runs only the workload of that name (for profiling one at a time).
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const auto wanted = [&](const char* name) { return only.empty() || only == name; };
    benchRuntime();
    if (wanted("ping-pong")) run("ping-pong", kPingPongRoundTrips, [] { return pingPong(kPingPongRoundTrips); });
    if (wanted("start-join")) run("start-join", kStartJoinThreads, [] { return startJoin(kStartJoinThreads); });
    if (wanted("monitor-2"))
        run("monitor-2", 2 * int64_t(kMonitorIncrements), [] { return contended(2, kMonitorIncrements, false); });
    if (wanted("monitor-4"))
        run("monitor-4", 4 * int64_t(kMonitorIncrements), [] { return contended(4, kMonitorIncrements, false); });
    if (wanted("monitor-waited-2"))
        run("monitor-waited-2", 2 * int64_t(kWaitedMonitorIncrements),
            [] { return contended(2, kWaitedMonitorIncrements, true); });
    return 0;
}
