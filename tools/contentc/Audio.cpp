#include "tools/contentc/Audio.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "tools/contentc/Descriptions.h"
#include "tools/contentc/Json.h"

extern char** environ;

namespace contentc {

namespace {

constexpr int kTicksPerQuarter = 500;
constexpr int kMicrosPerQuarter = 500000;
constexpr int kSampleRate = 22050;

class MidiReader {
public:
    MidiReader(const Bytes& bytes, const std::string& source) : bytes_(bytes), source_(source) {}
    [[noreturn]] void fail(const std::string& why) const { throw ContentError(source_, "MIDI", why); }
    uint32_t u8() {
        if (pos_ >= end_) fail("ends inside a track or header");
        return bytes_[pos_++];
    }
    uint32_t be(int n) {
        uint32_t v = 0;
        while (n--) v = (v << 8) | u8();
        return v;
    }
    uint32_t varLength() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            uint32_t b = u8();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        fail("a variable-length number is longer than four bytes");
    }
    size_t pos_ = 0, end_ = 0;

private:
    const Bytes& bytes_;
    std::string source_;
};

struct Event {
    uint64_t tick = 0;  // source ticks
    int track = 0;
    size_t order = 0;
    Bytes data;  // status byte included; meta events as FF type len data
    bool tempo = false;
    uint32_t tempoValue = 0;
};

void putVarLength(Bytes& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value);
    while (n--) out.push_back(uint8_t(groups[n] | (n ? 0x80 : 0)));
}

void putBe(Bytes& out, uint32_t value, int n) {
    while (n--) out.push_back(uint8_t(value >> (8 * n)));
}

std::vector<Event> readEvents(const Bytes& midi, const std::string& source, int& division) {
    MidiReader in(midi, source);
    in.end_ = midi.size();
    if (in.be(4) != 0x4D546864 || in.be(4) != 6) in.fail("not a standard MIDI file");
    const uint32_t format = in.be(2), tracks = in.be(2);
    division = int(in.be(2));
    if (format > 1) in.fail("format " + std::to_string(format) + " is not merged (only 0 and 1)");
    if (division == 0 || division & 0x8000) in.fail("time is not in ticks per quarter");
    std::vector<Event> events;
    for (uint32_t t = 0; t < tracks; ++t) {
        if (in.be(4) != 0x4D54726B) in.fail("track " + std::to_string(t) + " lacks its MTrk header");
        const size_t length = in.be(4);
        if (length > midi.size() - in.pos_) in.fail("track " + std::to_string(t) + " is cut short");
        const size_t trackEnd = in.pos_ + length;
        in.end_ = trackEnd;
        uint64_t tick = 0;
        uint32_t running = 0;
        while (in.pos_ < trackEnd) {
            tick += in.varLength();
            Event e;
            e.tick = tick;
            e.track = int(t);
            e.order = events.size();
            uint32_t status = in.u8();
            if (status < 0x80) {  // running status: the byte is the first data byte
                if (!running) in.fail("data before any status byte");
                --in.pos_;
                status = running;
            }
            e.data.push_back(uint8_t(status));
            if (status == 0xFF) {
                uint32_t type = in.u8(), len = in.varLength();
                if (type == 0x2F) break;  // end of track: the merged track gets its own
                Bytes data;
                for (uint32_t i = 0; i < len; ++i) data.push_back(uint8_t(in.u8()));
                if (type == 0x51) {
                    if (len != 3) in.fail("a tempo event must hold three bytes");
                    e.tempo = true;
                    e.tempoValue = (uint32_t(data[0]) << 16) | (uint32_t(data[1]) << 8) | data[2];
                    if (e.tempoValue == 0) in.fail("a tempo of 0");
                } else if (type >= 0x01 && type <= 0x0F) {
                    continue;  // texts and names play no part in the sound
                }
                e.data.push_back(uint8_t(type));
                putVarLength(e.data, len);
                e.data.insert(e.data.end(), data.begin(), data.end());
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t len = in.varLength();
                putVarLength(e.data, len);
                for (uint32_t i = 0; i < len; ++i) e.data.push_back(uint8_t(in.u8()));
            } else if (status >= 0xF1) {
                in.fail("a system message inside a track");
            } else {
                running = status;
                const int count = (status >> 4) == 0xC || (status >> 4) == 0xD ? 1 : 2;
                for (int i = 0; i < count; ++i) {
                    uint32_t b = in.u8();
                    if (b & 0x80) in.fail("a data byte above 127");
                    e.data.push_back(uint8_t(b));
                }
            }
            events.push_back(std::move(e));
        }
        in.pos_ = trackEnd;
        in.end_ = midi.size();
    }
    return events;
}

}  // namespace

Bytes retimeMidi(const Bytes& midi, const std::string& source) {
    int division = 0;
    std::vector<Event> events = readEvents(midi, source, division);
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.tick < b.tick; });
    // Walk the merged events with the tempo map: source ticks -> microseconds -> ms.
    uint64_t lastTick = 0;
    double micros = 0;
    uint32_t tempo = 500000;
    Bytes track;
    putVarLength(track, 0);
    track.insert(track.end(), {0xFF, 0x51, 0x03});
    putBe(track, kMicrosPerQuarter, 3);
    uint64_t lastMs = 0;
    for (const Event& e : events) {
        micros += double(e.tick - lastTick) * tempo / division;
        lastTick = e.tick;
        if (e.tempo) {
            tempo = e.tempoValue;
            continue;
        }
        const uint64_t ms = uint64_t(std::llround(micros / 1000.0));
        if (ms - lastMs > 0x0FFFFFFF) throw ContentError(source, "MIDI", "a pause longer than a MIDI delta time can hold");
        putVarLength(track, uint32_t(ms - lastMs));
        lastMs = ms;
        track.insert(track.end(), e.data.begin(), e.data.end());
    }
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes out;
    putBe(out, 0x4D546864, 4);
    putBe(out, 6, 4);
    putBe(out, 0, 2);
    putBe(out, 1, 2);
    putBe(out, kTicksPerQuarter, 2);
    putBe(out, 0x4D54726B, 4);
    putBe(out, uint32_t(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

Bytes compileAbc(const std::string& abcFile, const std::string& workDir) {
    std::filesystem::create_directories(workDir);
    const std::string output = (std::filesystem::path(workDir) / (std::filesystem::path(abcFile).stem().string() + ".mid")).string();
    std::filesystem::remove(output);
    std::vector<std::string> args = {"abc2midi", abcFile, "-o", output, "-silent", "-NCOM"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    int spawned = posix_spawnp(&pid, "abc2midi", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw ContentError(abcFile, "", "abc2midi cannot be run (install abcmidi)");
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(output, std::ios::binary);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !in)
        throw ContentError(abcFile, "", "abc2midi could not convert it");
    Bytes midi((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return retimeMidi(midi, abcFile);
}

namespace {

Bytes synthesise(const Node& item) {
    item.allowOnly({"name", "id", "wave", "from_hz", "to_hz", "ms", "attack_ms", "volume"});
    const std::string wave = item.at("wave").text();
    if (wave != "sine" && wave != "square" && wave != "triangle" && wave != "noise")
        item.at("wave").fail("wave must be sine, square, triangle or noise");
    const double from = double(item.at("from_hz").integer(20, 12000));
    const double to = double(item.integer("to_hz", 20, 12000, int64_t(from)));
    const int ms = int(item.at("ms").integer(1, 5000));
    const int attack = int(item.integer("attack_ms", 0, ms, 5));
    const double volume = double(item.integer("volume", 1, 100, 60)) / 100.0;
    const int samples = kSampleRate * ms / 1000;
    Bytes pcm;
    double phase = 0;
    uint32_t noise = 0x12345678;  // fixed seed: the same description gives the same bytes
    for (int i = 0; i < samples; ++i) {
        const double t = double(i) / samples;
        const double hz = from + (to - from) * t;
        phase += hz / kSampleRate;
        phase -= std::floor(phase);
        double v = 0;
        if (wave == "sine") v = std::sin(phase * 2 * M_PI);
        else if (wave == "square") v = phase < 0.5 ? 1 : -1;
        else if (wave == "triangle") v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
        else {
            noise = noise * 1664525u + 1013904223u;
            v = double(int32_t(noise)) / 2147483648.0;
        }
        const double sampleMs = 1000.0 * i / kSampleRate;
        const double envelope = (attack > 0 && sampleMs < attack ? sampleMs / attack : 1.0) * (1.0 - t) * (1.0 - t);
        const auto s = int16_t(std::lround(std::clamp(v * envelope * volume, -1.0, 1.0) * 32767));
        pcm.push_back(uint8_t(s));
        pcm.push_back(uint8_t(uint16_t(s) >> 8));
    }
    auto le = [](Bytes& out, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    Bytes out = {'R', 'I', 'F', 'F'};
    le(out, uint32_t(36 + pcm.size()), 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    le(out, 16, 4);
    le(out, 1, 2);  // PCM
    le(out, 1, 2);  // mono
    le(out, kSampleRate, 4);
    le(out, kSampleRate * 2, 4);
    le(out, 2, 2);
    le(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    le(out, uint32_t(pcm.size()), 4);
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}

}  // namespace

std::vector<Blob> readAudio(const std::string& file, const std::string& workDir) {
    nlohmann::json json = Node::load(file);
    Node root(json, file, "");
    root.allowOnly({"music", "effects"});
    std::vector<Blob> blobs;
    auto readId = [&](const Node& item) {
        int64_t id = item.at("id").integer(0, INT32_MAX);
        checkResourceId(id, file, item.path() + ".id");
        return int32_t(id);
    };
    if (root.has("music")) {
        Node list = root.at("music");
        for (size_t i = 0; i < list.size(); ++i) {
            Node item = list.at(i);
            item.allowOnly({"name", "id", "abc"});
            const std::string abc = (std::filesystem::path(file).parent_path() / item.at("abc").text()).string();
            blobs.push_back(Blob{readId(item), 0, item.at("name").text(), abc, compileAbc(abc, workDir)});
        }
    }
    if (root.has("effects")) {
        Node list = root.at("effects");
        for (size_t i = 0; i < list.size(); ++i)
            blobs.push_back(Blob{readId(list.at(i)), 1, list.at(i).at("name").text(), file, synthesise(list.at(i))});
    }
    return blobs;
}

}  // namespace contentc
