#pragma once

// Careful reading of description files: every value is fetched through a Node that knows its
// file and its path, so each wrong type, missing key, unknown key or value out of range is
// reported as a ContentError naming both.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "tools/contentc/ContentError.h"

namespace contentc {

class Node {
public:
    Node(const nlohmann::json& value, std::string file, std::string path)
        : value_(value), file_(std::move(file)), path_(std::move(path)) {}

    // Parses a whole file; a syntax error names the file and the byte where it was found.
    static nlohmann::json load(const std::string& file);

    [[noreturn]] void fail(const std::string& problem) const { throw ContentError(file_, path_, problem); }
    const std::string& file() const { return file_; }
    const std::string& path() const { return path_; }
    const nlohmann::json& raw() const { return value_; }

    bool has(const char* key) const;
    Node at(const char* key) const;  // a required member
    Node at(size_t index) const;
    size_t size() const;             // of an array
    // Refuses members not in the list: a misspelt key is an error, not a silent default.
    void allowOnly(std::initializer_list<const char*> keys) const;

    std::string text() const;
    bool flag() const;
    int64_t integer(int64_t min, int64_t max) const;  // also "0x..." strings
    double number(double min, double max) const;
    std::string text(const char* key, const std::string& fallback) const;
    bool flag(const char* key, bool fallback) const;
    int64_t integer(const char* key, int64_t min, int64_t max, int64_t fallback) const;
    double number(const char* key, double min, double max, double fallback) const;

private:
    const nlohmann::json& value_;
    std::string file_;
    std::string path_;
};

}  // namespace contentc
