#include "hal/services/StoreFileNames.h"

#include <cstdint>

namespace {

constexpr std::string_view kRecordPrefix = "record-";
constexpr std::string_view kRecordSuffix = ".bin";
constexpr std::string_view kTemporaryPrefix = ".tmp-";

}  // namespace

std::string StoreFileNames::record(int32_t id) {
    std::string name(kRecordPrefix);
    name += std::to_string(id);
    name += kRecordSuffix;
    return name;
}

std::string StoreFileNames::temporary(std::string_view name) {
    std::string temporary(kTemporaryPrefix);
    temporary += name;
    return temporary;
}

bool StoreFileNames::isTemporary(std::string_view name) {
    return name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix;
}

bool StoreFileNames::recordId(std::string_view name, int32_t* id) {
    const size_t affixes = kRecordPrefix.size() + kRecordSuffix.size();
    if (name.size() <= affixes || name.substr(0, kRecordPrefix.size()) != kRecordPrefix ||
        name.substr(name.size() - kRecordSuffix.size()) != kRecordSuffix)
        return false;
    const std::string_view digits = name.substr(kRecordPrefix.size(), name.size() - affixes);
    if (digits.size() > 10 || digits[0] == '0') return false;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) return false;
    *id = int32_t(value);
    return true;
}
