#pragma once

// A connection's request headers (group 0) or response headers (group 1): entries in
// order, each with a name and a value (either may be null), kept in a growable pointer
// array made on first use. Names compare without regard to ASCII case, as HTTP defines
// them. The group holds one reference to each string of its entries and frees them with
// itself. Not synchronised: a connection is used by one thread at a time.
//
// A response head is read as lines ending in LF (a CR before it is dropped), up to the
// first empty line or the end of the text. The text's first line is the status line: an
// entry without a name whose value is the whole line. Every further line with a ':' gives
// an entry named by the text before the first ':', valued by the text after it without
// leading or trailing blanks (space, tab). A line that starts with a blank continues the
// value of the header before it (after one space, unless that value is empty); any other
// line without ':', and a line starting with a blank that follows no header, is an entry
// without a name holding the whole line. Bytes become characters one to one (ISO 8859-1),
// so no byte of a header is lost.

#include <cstddef>
#include <cstdint>

class HALPtrArray;
class HALString;

struct HALHeader {
    int32_t group;     // 0 request, 1 response
    HALString* name;   // null for the status line and lines without a name
    HALString* value;  // null when the entry was set without a value
};

class HttpHeaderGroup {
public:
    static constexpr int32_t kRequest = 0;
    static constexpr int32_t kResponse = 1;

    explicit HttpHeaderGroup(int32_t group) : group_(group) {}
    ~HttpHeaderGroup();
    HttpHeaderGroup(const HttpHeaderGroup&) = delete;
    HttpHeaderGroup& operator=(const HttpHeaderGroup&) = delete;

    int32_t size() const;
    // The entry at index; null outside 0 .. size() - 1.
    const HALHeader* at(int32_t index) const;
    // The first entry whose name equals the length units at name, ignoring ASCII case;
    // null when there is none.
    const HALHeader* find(const char16_t* name, int32_t length) const;

    // Adds an entry that takes a reference of its own to name and value (either may be
    // null). A named entry replaces the first entry of an equal name in place; any other is
    // appended. 0, or 7 when memory for the group or the entry cannot be had.
    int set(HALString* name, HALString* value);

    // Appends the entries of a response head (see above). 0, or 7 when memory runs out
    // (the entries so far stay).
    int appendHead(const char* bytes, size_t size);

    void clear();

private:
    int append(HALString* name, HALString* value);
    int appendLine(const char* line, size_t length, bool statusLine);
    // Appends an entry of the bytes; a null name makes an entry without a name.
    int appendNew(const char* name, size_t nameLength, const char* value, size_t valueLength);
    static void foldInto(HALHeader* entry, const char* line, size_t length);

    HALPtrArray* entries_ = nullptr;
    int32_t group_;
};
