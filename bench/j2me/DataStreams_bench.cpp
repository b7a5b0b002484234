// Data-stream throughput of the runtime, one line per workload, over records of one int,
// one long, one short, one byte, one double and one UTF string (16 strings of 13 to 29
// characters, with a 2-byte and a 3-byte character each; 48.9 bytes per record on average):
// - write: records written through a DataOutputStream into a ByteArrayOutputStream that
//   is reset whenever it passes 64 KiB;
// - read: the same records read back through a DataInputStream over a ByteArrayInputStream
//   holding all of them.
// Every workload folds its results into a checksum that is printed, so no loop can be
// dropped. Each runs one warm-up round and three measured rounds; the median is reported.
// bench/java/DataStreamsBench.java runs the same workloads on a JVM (compare-datastreams.sh).
//
// Output, one line per workload:
//   <name> ops=<records per round> bytes=<bytes per round> ns_per_op=<median>
//   mb_per_s=<median> checksum=<value>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_lang_String.h"

namespace {

using Clock = std::chrono::steady_clock;
using java::io::ByteArrayInputStream;
using java::io::ByteArrayOutputStream;
using java::io::DataInputStream;
using java::io::DataOutputStream;
using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;
using Strings = VMArray<String*, 1>;

// Records per round; compare-datastreams.sh relies on DataStreamsBench.java using the same.
constexpr int32_t kRecords = 200000;
constexpr int32_t kResetAt = 65536;
constexpr int kWarmUpRounds = 1;
constexpr int kMeasuredRounds = 3;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

VM* boot() { return benchRuntime(); }

// "item <j> café €" followed by j letters x.
VMPtr<Strings> makeStrings() {
    VMPtr<Strings> strings = Strings::_VM_new(16);
    for (int32_t j = 0; j < 16; ++j) {
        std::u16string text = u"item ";
        for (char c : std::to_string(j)) text += char16_t(c);
        text += u" caf\u00E9 \u20AC";
        text.append(size_t(j), u'x');
        strings->set(j, String::fromUtf16(text));
    }
    return strings;
}

// The values of record i, the same on both sides.
int32_t intOf(int32_t i) { return int32_t(uint32_t(i) * 2654435761u); }
int64_t longOf(int32_t i) { return int64_t(i) * 1000000007ll ^ int64_t(uint64_t(int64_t(intOf(i))) << 20); }
int32_t shortOf(int32_t i) { return i * 31; }
double doubleOf(int32_t i) { return i * 0.5 + 0.25; }

void writeRecords(DataOutputStream* out, Strings* strings, int32_t from, int32_t to, ByteArrayOutputStream* sink,
                  int64_t* sum) {
    for (int32_t i = from; i < to; ++i) {
        out->writeInt(intOf(i));
        out->writeLong(longOf(i));
        out->writeShort(shortOf(i));
        out->writeByte(i);
        out->writeDouble(doubleOf(i));
        out->writeUTF(strings->at(i & 15));
        if (sink != nullptr && sink->size() > kResetAt) {
            *sum += sink->size();
            sink->reset();
        }
    }
}

VMPtr<DataOutputStream> dataOutputOver(const VMPtr<ByteArrayOutputStream>& sink) {
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    return out->_VM_init(sink);
}

int64_t write(int32_t records) {
    VMPtr<Strings> strings = makeStrings();
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    sink->_VM_init();
    VMPtr<DataOutputStream> out = dataOutputOver(sink);
    int64_t sum = 0;
    writeRecords(out.get(), strings.get(), 0, records, sink.get(), &sum);
    return sum + sink->size();
}

// All records, written once for the read workload.
VMPtr<ByteArray> recordBytes(int32_t records) {
    VMPtr<Strings> strings = makeStrings();
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    sink->_VM_init();
    VMPtr<DataOutputStream> out = dataOutputOver(sink);
    writeRecords(out.get(), strings.get(), 0, records, nullptr, nullptr);
    return sink->toByteArray();
}

VMPtr<ByteArray>* gRecordBytes = nullptr;

int64_t read(int32_t records) {
    VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
    source->_VM_init(*gRecordBytes);
    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    in->_VM_init(source);
    int64_t sum = 0;
    for (int32_t i = 0; i < records; ++i) {
        sum += in->readInt();
        sum ^= in->readLong();
        sum += in->readShort();
        sum += in->readByte();
        sum += int64_t(in->readDouble() * 4);
        VMPtr<String> s = in->readUTF();
        sum += s->length() + s->charAt(s->length() / 2);
    }
    return sum;
}

// Runs a workload for the warm-up rounds, then the measured rounds, and prints the median.
void run(const char* name, int64_t bytes, int64_t (*workload)(int32_t)) {
    int64_t checksum = 0;
    for (int round = 0; round < kWarmUpRounds; ++round) checksum = workload(kRecords);
    std::vector<double> samples;
    for (int round = 0; round < kMeasuredRounds; ++round) {
        const auto start = Clock::now();
        checksum = workload(kRecords);
        samples.push_back(seconds(Clock::now() - start));
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    std::printf("%s ops=%d bytes=%lld ns_per_op=%.2f mb_per_s=%.3f checksum=%lld\n", name, kRecords,
                (long long)bytes, median / kRecords * 1e9, double(bytes) / median / 1e6, (long long)checksum);
    std::fflush(stdout);
}

}  // namespace

int main() {
    boot();
    VMPtr<ByteArray> bytes = recordBytes(kRecords);
    gRecordBytes = &bytes;
    run("write", bytes->length, write);
    run("read", bytes->length, read);
    return 0;
}
