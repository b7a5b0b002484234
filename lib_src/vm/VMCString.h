#pragma once

// An owning holder of one NUL-terminated byte string on the runtime heap (the key type of
// the class registry and the builder of array class names). Not a managed object.

#include <cstddef>

class VMCString {
public:
    VMCString() = default;
    explicit VMCString(const char* text);
    VMCString(const VMCString& other);
    VMCString& operator=(const VMCString&) = delete;
    ~VMCString();

    // Gives up the held string without freeing it (ownership has passed elsewhere).
    void clear() { text_ = nullptr; }
    // text must not be null.
    void assign(const char* text);
    // At most count bytes of text (stopping at a NUL); nothing changes for null or 0.
    void assign(const char* text, int count);
    void append(const char* text);
    void append(const char* text, int count);
    int compare(const VMCString& other) const;
    bool equals(const char* text) const;
    size_t length() const;
    const char* c_str() const { return text_; }

private:
    char* text_ = nullptr;
};
