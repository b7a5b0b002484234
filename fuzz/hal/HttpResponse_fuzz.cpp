// Serves arbitrary bytes as the whole response to an HTTP request (from a server on
// 127.0.0.1 in this process) and checks what the connection reports: a status of -1 or a
// three-digit code; entry 0 without a name; a lookup by each name finds the first entry
// of that name; the length is the first Content-Length value when it is all digits (at
// most 18) and -1 otherwise; the body read ends well or as a failure, and when it ends
// well after a single Content-Length on a response that has a body, it holds exactly that
// many bytes; every string and buffer is freed with the connection.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "fuzz/FuzzerFlags.h"
#include "hal/net/HALHttp.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::mutex replyLock;
std::string reply;

LoopbackHttpServer& server() {
    static auto* instance = new LoopbackHttpServer([](const std::string&) {
        std::lock_guard<std::mutex> guard(replyLock);
        return reply;
    });
    return *instance;
}

bool sameIgnoringAsciiCase(const HALString* a, const std::u16string& b) {
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    if (a == nullptr || a->length() != b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (fold(a->chars()[i]) != fold(b[i])) return false;
    return true;
}

int64_t decimalModel(const HALString* value) {
    if (value == nullptr || value->length() == 0 || value->length() > 18) return -1;
    int64_t number = 0;
    for (uint32_t i = 0; i < value->length(); ++i) {
        const char16_t c = value->chars()[i];
        if (c < u'0' || c > u'9') return -1;
        number = number * 10 + (c - u'0');
    }
    return number;
}

struct Entry {
    HALString* name;
    HALString* value;
};

// The response's entries as the connection lists them (new references).
std::vector<Entry> entriesOf(HALHttpConnection* connection) {
    std::vector<Entry> entries;
    for (int32_t i = 0;; ++i) {
        Entry entry{nullptr, nullptr};
        const int found = HAL_getHTTPHeaderFieldKey(connection, i, &entry.name);
        check(HAL_getHTTPHeaderField(connection, i, &entry.value) == found);
        if (found != 0) break;
        entries.push_back(entry);
    }
    return entries;
}

// The first entry of that name, and how many there are.
const Entry* firstNamed(const std::vector<Entry>& entries, const std::u16string& name, int* count) {
    const Entry* first = nullptr;
    *count = 0;
    for (const Entry& entry : entries) {
        if (!sameIgnoringAsciiCase(entry.name, name)) continue;
        if (first == nullptr) first = &entry;
        ++*count;
    }
    return first;
}

// Reads the body to its end; the number of bytes and the last result.
std::pair<uint64_t, int> readBody(HALHttpConnection* connection) {
    uint64_t total = 0;
    for (;;) {
        uint8_t* block = nullptr;
        int32_t count = 0;
        const int result = HAL_readHTTPConnection(connection, &block, &count);
        if (result != 0) {
            check((result == 3 && count == 0) || (result == 7 && count == -1));
            return {total, result};
        }
        check(count > 0);
        total += uint64_t(count);
    }
}

void checkResponse(HALHttpConnection* connection) {
    int32_t status = 0;
    check(HAL_getHTTPResponseCode(connection, &status) == 0);
    check(status == -1 || (status >= 100 && status <= 999));
    const std::vector<Entry> entries = entriesOf(connection);
    if (!entries.empty()) check(entries[0].name == nullptr);
    for (const Entry& entry : entries) {
        if (entry.name == nullptr) continue;
        HALString* value = nullptr;
        check(HAL_getHTTPHeaderFieldByName(connection, entry.name->chars(), int32_t(entry.name->length()), &value) == 0);
        int count = 0;
        const std::u16string name(entry.name->chars(), entry.name->length());
        check(value == firstNamed(entries, name, &count)->value);
        if (value) HAL_deleteString(value);
    }
    int lengths = 0;
    const Entry* lengthEntry = firstNamed(entries, u"Content-Length", &lengths);
    int64_t length = 0;
    check(HAL_getHTTPLength(connection, &length) == 0);
    check(length == (lengthEntry ? decimalModel(lengthEntry->value) : -1));
    int encodings = 0;
    firstNamed(entries, u"Transfer-Encoding", &encodings);
    const auto [bodySize, result] = readBody(connection);
    const bool hasBody = status >= 200 && status != 204 && status != 304;
    if (result == 3 && lengths == 1 && length >= 0 && encodings == 0 && hasBody) check(bodySize == uint64_t(length));
    for (const Entry& entry : entries) {
        if (entry.name) HAL_deleteString(entry.name);
        if (entry.value) HAL_deleteString(entry.value);
    }
}

}  // namespace

// One request before the first input, so that what the session keeps for the process
// (libcurl's global state, the user agent) is in place before memory is counted.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    skipLeakChecksPerInput(argc, argv);
    reply = "HTTP/1.1 204 No Content\r\n\r\n";
    const std::u16string url = server().url("/");
    HALHttpConnection* connection = nullptr;
    check(HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())) == 0);
    checkResponse(connection);
    check(HAL_deleteHTTPConnection(connection) == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    {
        std::lock_guard<std::mutex> guard(replyLock);
        reply.assign(reinterpret_cast<const char*>(data), size);
    }
    const uint64_t before = HAL_getAllocatedBytes();
    const std::u16string url = server().url("/");
    HALHttpConnection* connection = nullptr;
    check(HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())) == 0);
    checkResponse(connection);
    check(HAL_deleteHTTPConnection(connection) == 0);
    check(HAL_getAllocatedBytes() == before);
    return 0;
}
