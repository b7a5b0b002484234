#pragma once

// The pack writer: builds resource pack parts as bytes or files in a resource folder. The
// table form (flags, count, sizes, types, total, data block) with 4-byte sizes is byte for
// byte what the framework's pack saver writes; chunked parts are the "%RP%" container with
// an RPHe entry table and either an FSLM split-data list with its data files or a VFSO
// directory with one file per entry, each file named as the reader looks for it.

#include <cstdint>
#include <string>
#include <vector>

namespace packwriter {

using Bytes = std::vector<uint8_t>;

struct Entry {
    Bytes bytes;
    int8_t type = -1;
};

constexpr int32_t kMarker = 0x25525025;
constexpr int32_t kIdVfso = 0x5646534F;
constexpr int32_t kIdFslm = 0x46534C4D;
constexpr int32_t kIdRphe = 0x52504865;

// Big-endian appends.
void putU16(Bytes& out, uint32_t value);
void putInt(Bytes& out, int32_t value);

// The entry table; wideSizes writes flags 0x41 and 4-byte sizes, else 0x40 and 2-byte sizes
// (each size must then fit 16 bits). withData adds the total and the data block.
Bytes table(const std::vector<Entry>& entries, bool wideSizes = true, bool withData = true);
// id, body length, attribute, body.
Bytes chunk(int32_t id, const Bytes& body, int32_t attribute = 0);
// Marker, version (4), chunk count and the already serialised chunks in the order given.
Bytes container(const std::vector<Bytes>& chunks, int32_t version = 4);
// The FSLM body: the total of the file sizes, their count, each size.
Bytes splitList(const std::vector<int32_t>& fileSizes);
// The VFSO body for the entries: entry i in file firstFile + i at offset 0.
Bytes directory(const std::vector<Entry>& entries, int32_t firstFile = 1);

// The file-name extension of a type code ("rp" for a code without one).
std::string extension(int32_t type);
// "RP<part>.rp", or "RP<part>part<file>.<ext>" (no leading slash).
std::string fileName(int32_t part, int32_t file = -1, const std::string& ext = "rp");

// Writes bytes to folder/name, creating the folder.
void writeFile(const std::string& folder, const std::string& name, const Bytes& bytes);
// Part `part` in table form: folder/RP<part>.rp.
void writeTablePart(const std::string& folder, int32_t part, const std::vector<Entry>& entries);
// A chunked part in split mode: the data block cut into files of the given sizes (which
// must add up to the data), RP<part>part1.rp on.
void writeSplitPart(const std::string& folder, int32_t part, const std::vector<Entry>& entries,
                    const std::vector<int32_t>& fileSizes);
// A chunked part in directory mode: entry i alone in RP<part>part<i+1>.<extension of its type>.
void writeDirectoryPart(const std::string& folder, int32_t part, const std::vector<Entry>& entries);

}  // namespace packwriter
