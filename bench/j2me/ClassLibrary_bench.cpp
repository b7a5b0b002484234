// Class-library figures for the runtime, one line per workload:
// - concat-search: strings built through a StringBuffer, then indexOf of a character,
//   substring and equals over each result;
// - buffer-append: a StringBuffer filled with characters, ints and strings, then toString;
// - int-text: Integer.toString and Integer.parseInt round trips in radixes 10, 16, 2 and 36;
// - throw-catch: a RuntimeException with a message thrown from a called function and caught;
// - cxx-throw-catch: the same with a plain C++ pointer and no object made (runtime only);
// - monitor: an uncontended synchronized block on one object;
// - println: ints and longs printed through a PrintStream into a ByteArrayOutputStream that
//   is reset whenever it passes 64 KiB;
// - vector: a fresh Vector filled with 1,000 boxed ints, each read back, then emptied from
//   the end (an add, a get and a remove per element);
// - hashtable: a fresh Hashtable filled with 4,096 boxed-int keys, then each key looked up
//   twice (a put and two gets per key);
// - random: Random.nextInt() and Random.nextInt(1000) from a fixed seed.
// Every workload folds its results into a checksum that is printed, so no loop can be
// dropped. Each runs one warm-up round and three measured rounds; the median is reported.
// bench/java/ClassLibraryBench.java runs the same workloads on a JVM (compare-classlib.sh).
//
// Arguments: the names of the workloads to run (all when none is given).
// Output, one line per workload:
//   <name> ops=<operations per round> ns_per_op=<median> mops_per_s=<median> checksum=<value>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_util_Hashtable.h"
#include "pb_src/j2me/java_util_Random.h"
#include "pb_src/j2me/java_util_Vector.h"

namespace {

using Clock = std::chrono::steady_clock;
using java::io::ByteArrayOutputStream;
using java::io::PrintStream;
using java::lang::Integer;
using java::lang::Object;
using java::lang::RuntimeException;
using java::lang::String;
using java::lang::StringBuffer;
using Strings = VMArray<String*, 1>;
using Integers = VMArray<Integer*, 1>;
using java::util::Hashtable;
using java::util::Random;
using java::util::Vector;

// Operations per round; compare-classlib.sh relies on ClassLibraryBench.java using the same.
constexpr int32_t kConcatSearchOps = 400000;
constexpr int32_t kBufferAppendOps = 50000;  // each: 32 x (char, int, string) appends, then toString
constexpr int32_t kIntTextValues = 250000;   // each value makes 4 round trips
constexpr int32_t kThrowCatchOps = 200000;
constexpr int32_t kMonitorOps = 20000000;
constexpr int32_t kPrintlnOps = 400000;      // each: one int and one long println
constexpr int32_t kVectorRounds = 2000;      // each: 1,000 adds, gets and removes
constexpr int32_t kVectorSize = 1000;
constexpr int32_t kHashtableRounds = 300;    // each: 4,096 puts and 8,192 gets
constexpr int32_t kHashtableKeys = 4096;
constexpr int32_t kRandomOps = 5000000;      // each: nextInt() and nextInt(1000)
constexpr int kWarmUpRounds = 1;
constexpr int kMeasuredRounds = 3;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

VMPtr<StringBuffer> newBuffer() {
    VMPtr<StringBuffer> buffer = StringBuffer::_VM_new();
    return buffer->_VM_init();
}

// "item-<i>:payload-<i mod 64>", split at the colon; the tail is compared with a prebuilt
// copy (equal, so every character is compared) and the key with the previous key.
int64_t concatSearch(int32_t ops) {
    VMPtr<String> item = VMPtr<java::lang::String>::fromLiteral("item-");
    VMPtr<String> payload = VMPtr<java::lang::String>::fromLiteral("payload-");
    VMPtr<Strings> tails = Strings::_VM_new(64);
    for (int32_t j = 0; j < 64; ++j) {
        VMPtr<StringBuffer> b = newBuffer();
        b->append(payload)->append(j);
        tails->set(j, b->toString());
    }
    VMPtr<String> previousKey = VMPtr<java::lang::String>::fromLiteral("");
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        VMPtr<StringBuffer> b = newBuffer();
        b->append(item)->append(i)->append(u':')->append(payload)->append(i & 63);
        VMPtr<String> s = b->toString();
        const int32_t colon = s->indexOf(':');
        VMPtr<String> key = s->substring(0, colon);
        VMPtr<String> tail = s->substring(colon + 1);
        if (tail->equals(tails->at(i & 63))) sum += 1;
        if (key->equals(previousKey)) sum += 1000;
        sum += colon + tail->length() + s->indexOf('-', colon);
        previousKey = key;
    }
    return sum;
}

// A fresh buffer per operation, 32 rounds of a character, an int and a short string.
int64_t bufferAppend(int32_t ops) {
    VMPtr<String> word = VMPtr<java::lang::String>::fromLiteral("abc");
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        VMPtr<StringBuffer> b = newBuffer();
        for (int32_t k = 0; k < 32; ++k) {
            b->append(char16_t(u'a' + k % 26));
            b->append(i * k);
            b->append(word);
        }
        VMPtr<String> s = b->toString();
        sum += s->length() + s->charAt(s->length() / 2);
    }
    return sum;
}

// Values spread over the whole int range, negative ones included.
int64_t intText(int32_t values) {
    static constexpr int32_t kRadixes[] = {10, 16, 2, 36};
    int64_t sum = 0;
    for (int32_t i = 0; i < values; ++i) {
        const int32_t value = int32_t(uint32_t(i) * 2654435761u);
        for (int32_t radix : kRadixes) {
            VMPtr<String> text = Integer::toString(value, radix);
            const int32_t back = Integer::parseInt(text, radix);
            sum += (back ^ i) + text->length();
        }
    }
    return sum;
}

[[gnu::noinline]] void fail(const VMPtr<String>& message, int32_t i) {
    if (i >= 0) vm::throwNew<RuntimeException>(message);
}

int64_t throwCatch(int32_t ops) {
    VMPtr<String> message = VMPtr<java::lang::String>::fromLiteral("benchmark failure");
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        try {
            fail(message, i);
        } catch (RuntimeException* caught) {
            VMPtr<RuntimeException> e(caught);
            sum += e->getMessage()->length() + (i & 7);
        }
    }
    return sum;
}

// The same throw and catch of a plain C++ pointer through as many frames, with nothing to
// create: the floor that throw-catch is measured against (the JVM side has no such line).
struct PlainError {
    int32_t code = 17;
};

[[gnu::noinline]] void failPlain(int32_t i) {
    static PlainError error;
    if (i >= 0) throw &error;
}

int64_t cxxThrowCatch(int32_t ops) {
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        try {
            failPlain(i);
        } catch (PlainError* caught) {
            sum += caught->code + (i & 7);
        }
    }
    return sum;
}

int64_t monitor(int32_t ops) {
    VMPtr<Object> lock = Object::_VM_new();
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        VM_SYNCHRONIZED(lock.get());
        sum += i;
        asm volatile("" : "+r"(sum));  // keeps each addition inside its own block
    }
    return sum;
}

int64_t println(int32_t ops) {
    VMPtr<ByteArrayOutputStream> bytes = ByteArrayOutputStream::_VM_new();
    bytes->_VM_init();
    VMPtr<PrintStream> out = PrintStream::_VM_new();
    out->_VM_init(bytes);
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) {
        out->println(int32_t(i * 31 - 5000000));
        out->println(int64_t(i) * int64_t(1000000007));
        if (bytes->size() > 65536) {
            sum += bytes->size();
            bytes->reset();
        }
    }
    return sum + bytes->size();
}

// Boxed ints 0 .. count - 1, made once so that the container workloads box nothing.
VMPtr<Integers> boxes(int32_t count) {
    VMPtr<Integers> boxed = Integers::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<Integer> box = Integer::_VM_new();
        boxed->set(i, box->_VM_init(i));
    }
    return boxed;
}

// The cast of a boxed int back to Integer. Integer is final, so the class check is the whole
// cast (as a JVM's check of a final class), not a C++ search of the bases.
int32_t intOf(const VMPtr<Object>& box) {
    if (box->getClass() != Integer::_VM_getClass()) std::abort();
    return static_cast<Integer*>(dynamic_cast<void*>(box.get()))->value;
}

int64_t vectorOps(int32_t rounds) {
    VMPtr<Integers> values = boxes(kVectorSize);
    int64_t sum = 0;
    for (int32_t round = 0; round < rounds; ++round) {
        VMPtr<Vector> v = Vector::_VM_new();
        v->_VM_init();
        for (int32_t i = 0; i < kVectorSize; ++i) v->addElement(VMPtr<Object>(values->at((i + round) % kVectorSize)));
        for (int32_t i = 0; i < kVectorSize; ++i) sum += intOf(v->elementAt(i)) * (i & 7);
        while (!v->isEmpty()) {
            sum += intOf(v->lastElement());
            v->removeElementAt(v->size() - 1);
        }
    }
    return sum;
}

int64_t hashtableOps(int32_t rounds) {
    VMPtr<Integers> keys = boxes(kHashtableKeys);
    int64_t sum = 0;
    for (int32_t round = 0; round < rounds; ++round) {
        VMPtr<Hashtable> table = Hashtable::_VM_new();
        table->_VM_init();
        for (int32_t i = 0; i < kHashtableKeys; ++i)
            table->put(VMPtr<Object>(keys->at(i)), VMPtr<Object>(keys->at((i + round) % kHashtableKeys)));
        for (int32_t i = 0; i < 2 * kHashtableKeys; ++i) {
            VMPtr<Object> value = table->get(VMPtr<Object>(keys->at((i * 7) % kHashtableKeys)));
            sum += intOf(value);
        }
    }
    return sum;
}

int64_t randomOps(int32_t ops) {
    VMPtr<Random> random = Random::_VM_new();
    random->_VM_init(42);
    int64_t sum = 0;
    for (int32_t i = 0; i < ops; ++i) sum += random->nextInt() ^ random->nextInt(1000);
    return sum;
}

// The workloads named on the command line; all of them when none is named (a profiler run
// picks one).
std::vector<std::string> selected;

bool isSelected(const char* name) {
    return selected.empty() || std::find(selected.begin(), selected.end(), name) != selected.end();
}

// Runs a workload for the warm-up rounds, then the measured rounds, and prints the median.
void run(const char* name, int64_t ops, int64_t (*workload)(int32_t), int32_t size) {
    if (!isSelected(name)) return;
    int64_t checksum = 0;
    for (int round = 0; round < kWarmUpRounds; ++round) checksum = workload(size);
    std::vector<double> samples;
    for (int round = 0; round < kMeasuredRounds; ++round) {
        const auto start = Clock::now();
        checksum = workload(size);
        samples.push_back(seconds(Clock::now() - start));
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    std::printf("%s ops=%lld ns_per_op=%.2f mops_per_s=%.3f checksum=%lld\n", name, (long long)ops,
                median / double(ops) * 1e9, double(ops) / median / 1e6, (long long)checksum);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    selected.assign(argv + 1, argv + argc);
    benchRuntime();
    run("concat-search", kConcatSearchOps, concatSearch, kConcatSearchOps);
    run("buffer-append", kBufferAppendOps, bufferAppend, kBufferAppendOps);
    run("int-text", int64_t(kIntTextValues) * 4, intText, kIntTextValues);
    run("throw-catch", kThrowCatchOps, throwCatch, kThrowCatchOps);
    run("cxx-throw-catch", kThrowCatchOps, cxxThrowCatch, kThrowCatchOps);
    run("monitor", kMonitorOps, monitor, kMonitorOps);
    run("println", int64_t(kPrintlnOps) * 2, println, kPrintlnOps);
    run("vector", int64_t(kVectorRounds) * kVectorSize * 3, vectorOps, kVectorRounds);
    run("hashtable", int64_t(kHashtableRounds) * kHashtableKeys * 3, hashtableOps, kHashtableRounds);
    run("random", int64_t(kRandomOps) * 2, randomOps, kRandomOps);
    return 0;
}
