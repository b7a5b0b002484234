#include "tools/contentc/Texts.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/contentc/Descriptions.h"
#include "tools/contentc/Json.h"

namespace contentc {

namespace {

std::string trim(const std::string& s) {
    size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string unescape(const std::string& text, const std::string& file, const std::string& item) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) throw ContentError(file, item, "a text ends with a lone backslash");
        char next = text[++i];
        if (next == 'n') out += '\n';
        else if (next == '\\') out += '\\';
        else throw ContentError(file, item, std::string("unknown escape \\") + next);
    }
    return out;
}

void readLanguage(const std::string& file, const std::map<std::string, int>& ids, TextTable& table) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ContentError(file, "", "cannot be read");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = "line " + std::to_string(number);
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        std::string content = trim(line);
        if (content.empty() || content[0] == '#') continue;
        size_t equals = content.find('=');
        if (equals == std::string::npos) throw ContentError(file, where, "expected NAME = text");
        std::string name = trim(content.substr(0, equals));
        std::string item = "text " + name;
        auto id = ids.find(name);
        if (id == ids.end()) throw ContentError(file, item, "no text id has this name");
        if (table.texts.count(id->second)) throw ContentError(file, item, "given twice");
        std::string text = unescape(trim(content.substr(equals + 1)), file, item);
        std::u16string units = decodeUtf8(text, file, item);
        // Stored as modified UTF-8 with a signed 16-bit length.
        size_t encoded = 0;
        for (char16_t c : units) encoded += c == 0 ? 2 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (encoded > 32767) throw ContentError(file, item, "longer than 32767 bytes");
        table.texts[id->second] = text;
    }
    for (const auto& [name, id] : ids)
        if (!table.texts.count(id)) throw ContentError(file, "text " + name, "missing in this language");
}

}  // namespace

std::u16string decodeUtf8(const std::string& text, const std::string& file, const std::string& item) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        auto byte = [&](size_t k) { return uint8_t(text[k]); };
        uint8_t lead = byte(i);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) throw ContentError(file, item, "not valid UTF-8");
        uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (size_t k = 1; k < length; ++k) {
            if ((byte(i + k) >> 6) != 2) throw ContentError(file, item, "not valid UTF-8");
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF))
            throw ContentError(file, item, "not valid UTF-8");
        if (code > 0xFFFF) throw ContentError(file, item, "a character outside the basic plane");
        out += char16_t(code);
        i += length;
    }
    return out;
}

TextCatalogue readTexts(const std::string& file) {
    nlohmann::json json = Node::load(file);
    Node root(json, file, "");
    root.allowOnly({"languages", "ids"});
    TextCatalogue catalogue;
    catalogue.source = file;
    Node ids = root.at("ids");
    if (!ids.raw().is_object()) ids.fail("must map names to text ids");
    std::map<int, std::string> names;
    for (const auto& member : ids.raw().items()) {
        Node id = ids.at(member.key().c_str());
        int value = int(id.integer(0, 0xFFFE));
        if (names.count(value)) id.fail("text id " + std::to_string(value) + " is also " + names[value]);
        names[value] = member.key();
        catalogue.ids[member.key()] = value;
    }
    Node languages = root.at("languages");
    if (languages.size() == 0) languages.fail("needs at least one language");
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    for (size_t i = 0; i < languages.size(); ++i) {
        Node language = languages.at(i);
        language.allowOnly({"language", "id", "file"});
        TextTable table;
        table.language = language.at("language").text();
        int64_t id = language.at("id").integer(0, INT32_MAX);
        checkResourceId(id, file, language.path() + ".id");
        table.id = int32_t(id);
        table.source = (folder / language.at("file").text()).string();
        readLanguage(table.source, catalogue.ids, table);
        catalogue.tables.push_back(table);
    }
    return catalogue;
}

}  // namespace contentc
