#include "tools/contentc/Json.h"

#include <fstream>
#include <sstream>

namespace contentc {

nlohmann::json Node::load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ContentError(file, "", "cannot be read");
    std::stringstream text;
    text << in.rdbuf();
    try {
        return nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::parse_error& e) {
        throw ContentError(file, "", std::string("not valid JSON: ") + e.what());
    }
}

bool Node::has(const char* key) const { return value_.is_object() && value_.contains(key); }

Node Node::at(const char* key) const {
    if (!value_.is_object()) fail("must be an object");
    auto found = value_.find(key);
    if (found == value_.end()) fail(std::string("lacks \"") + key + "\"");
    return Node(*found, file_, path_.empty() ? key : path_ + "." + key);
}

Node Node::at(size_t index) const {
    if (!value_.is_array() || index >= value_.size()) fail("has no element " + std::to_string(index));
    return Node(value_[index], file_, path_ + "[" + std::to_string(index) + "]");
}

size_t Node::size() const {
    if (!value_.is_array()) fail("must be an array");
    return value_.size();
}

void Node::allowOnly(std::initializer_list<const char*> keys) const {
    if (!value_.is_object()) fail("must be an object");
    for (const auto& member : value_.items()) {
        bool known = false;
        for (const char* key : keys) known = known || member.key() == key;
        if (!known) fail("unknown key \"" + member.key() + "\"");
    }
}

std::string Node::text() const {
    if (!value_.is_string()) fail("must be a string");
    return value_.get<std::string>();
}

bool Node::flag() const {
    if (!value_.is_boolean()) fail("must be true or false");
    return value_.get<bool>();
}

int64_t Node::integer(int64_t min, int64_t max) const {
    int64_t result = 0;
    if (value_.is_number_integer()) {
        result = value_.get<int64_t>();
    } else if (value_.is_string()) {
        // Decimal, or hexadecimal after "0x" (ids are written so); never octal.
        const std::string s = value_.get<std::string>();
        const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
        size_t used = 0;
        try {
            result = std::stoll(hex ? s.substr(2) : s, &used, hex ? 16 : 10);
            if (hex) used += 2;
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != s.size() || (hex && s[2] == '-')) fail("\"" + s + "\" is not a number");
    } else {
        fail("must be an integer");
    }
    if (result < min || result > max)
        fail(std::to_string(result) + " is outside " + std::to_string(min) + ".." + std::to_string(max));
    return result;
}

double Node::number(double min, double max) const {
    if (!value_.is_number()) fail("must be a number");
    double result = value_.get<double>();
    if (!(result >= min && result <= max)) fail(std::to_string(result) + " is outside " + std::to_string(min) + ".." + std::to_string(max));
    return result;
}

double Node::number(const char* key, double min, double max, double fallback) const {
    return has(key) ? at(key).number(min, max) : fallback;
}

std::string Node::text(const char* key, const std::string& fallback) const {
    return has(key) ? at(key).text() : fallback;
}

bool Node::flag(const char* key, bool fallback) const { return has(key) ? at(key).flag() : fallback; }

int64_t Node::integer(const char* key, int64_t min, int64_t max, int64_t fallback) const {
    return has(key) ? at(key).integer(min, max) : fallback;
}

}  // namespace contentc
