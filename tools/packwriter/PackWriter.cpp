#include "tools/packwriter/PackWriter.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace packwriter {

void putU16(Bytes& out, uint32_t value) {
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

void putInt(Bytes& out, int32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(uint32_t(value) >> shift));
}

Bytes table(const std::vector<Entry>& entries, bool wideSizes, bool withData) {
    if (entries.size() > 0xFFFF) throw std::invalid_argument("a pack part holds at most 65535 entries");
    Bytes out{uint8_t(wideSizes ? 0x41 : 0x40)};
    putU16(out, uint32_t(entries.size()));
    int64_t total = 0;
    for (const Entry& e : entries) {
        if (wideSizes) putInt(out, int32_t(e.bytes.size()));
        else if (e.bytes.size() > 0xFFFF) throw std::invalid_argument("entry too large for 2-byte sizes");
        else putU16(out, uint32_t(e.bytes.size()));
        total += int64_t(e.bytes.size());
    }
    for (const Entry& e : entries) out.push_back(uint8_t(e.type));
    if (!withData) return out;
    putInt(out, int32_t(total));
    for (const Entry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    return out;
}

Bytes chunk(int32_t id, const Bytes& body, int32_t attribute) {
    Bytes out;
    putInt(out, id);
    putInt(out, int32_t(body.size()));
    putInt(out, attribute);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes container(const std::vector<Bytes>& chunks, int32_t version) {
    Bytes out;
    putInt(out, kMarker);
    putU16(out, uint32_t(version));
    putU16(out, uint32_t(chunks.size()));
    for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
    return out;
}

Bytes splitList(const std::vector<int32_t>& fileSizes) {
    int32_t total = 0;
    for (int32_t size : fileSizes) total += size;
    Bytes out;
    putInt(out, total);
    putInt(out, int32_t(fileSizes.size()));
    for (int32_t size : fileSizes) putInt(out, size);
    return out;
}

Bytes directory(const std::vector<Entry>& entries, int32_t firstFile) {
    Bytes out;
    putInt(out, 0);
    putInt(out, int32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        out.push_back(uint8_t(entries[i].type));
        out.push_back(0);
        putU16(out, uint32_t(firstFile + int32_t(i)));
        putInt(out, 0);
        putInt(out, 0);
    }
    return out;
}

std::string extension(int32_t type) {
    static const std::map<int32_t, std::string> kExtensions = {
        {0, "mid"},  {1, "wav"},  {2, "mp3"},  {3, "amr"},  {4, "aac"},    {5, "au"},   {6, "qcp"},  {7, "ott"},
        {8, "jts"},  {9, "imy"},  {10, "mmf"}, {11, "cmx"}, {12, "adp"},   {14, "3gp"}, {15, "3g2"}, {16, "263"},
        {17, "264"}, {18, "mpg"}, {19, "mp4"}, {20, "rv"},  {21, "wmv"},   {22, "mov"}, {23, "wbxml"}, {24, "gif"},
        {25, "caf"}, {26, "ogg"}, {27, "wma"}, {28, "m4a"}, {-1, "rp"},    {-3, "png"}, {-4, "jpg"}, {-6, "utf"},
        {-7, "txt"}, {-12, "rp"},
    };
    auto found = kExtensions.find(type);
    return found == kExtensions.end() ? "rp" : found->second;
}

std::string fileName(int32_t part, int32_t file, const std::string& ext) {
    std::string name = "RP" + std::to_string(part);
    if (file != -1) name += "part" + std::to_string(file);
    return name + "." + ext;
}

void writeFile(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + folder + "/" + name);
}

void writeTablePart(const std::string& folder, int32_t part, const std::vector<Entry>& entries) {
    writeFile(folder, fileName(part), table(entries));
}

void writeSplitPart(const std::string& folder, int32_t part, const std::vector<Entry>& entries,
                    const std::vector<int32_t>& fileSizes) {
    Bytes block;
    for (const Entry& e : entries) block.insert(block.end(), e.bytes.begin(), e.bytes.end());
    size_t offset = 0;
    for (size_t j = 0; j < fileSizes.size(); ++j) {
        const size_t size = size_t(fileSizes[j]);
        if (offset + size > block.size()) throw std::invalid_argument("split file sizes exceed the data");
        writeFile(folder, fileName(part, int32_t(j + 1)), Bytes(block.begin() + long(offset), block.begin() + long(offset + size)));
        offset += size;
    }
    if (offset != block.size()) throw std::invalid_argument("split file sizes do not cover the data");
    writeFile(folder, fileName(part, 0),
              container({chunk(kIdRphe, table(entries, true, false)), chunk(kIdFslm, splitList(fileSizes))}));
}

void writeDirectoryPart(const std::string& folder, int32_t part, const std::vector<Entry>& entries) {
    for (size_t i = 0; i < entries.size(); ++i)
        writeFile(folder, fileName(part, int32_t(i + 1), extension(entries[i].type)), entries[i].bytes);
    writeFile(folder, fileName(part, 0),
              container({chunk(kIdRphe, table(entries, true, false)), chunk(kIdVfso, directory(entries))}));
}

}  // namespace packwriter
