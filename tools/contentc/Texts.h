#pragma once

// Texts: the named text ids and one UTF-8 file per language. A language file holds lines
// "NAME = text" ("#" starts a comment line; "\n" in a text is a line break, "\\" a
// backslash); every named id needs a text in every language, and nothing else is allowed.

#include <map>
#include <string>
#include <vector>

#include "tools/contentc/Model.h"

namespace contentc {

struct TextCatalogue {
    std::string source;
    std::map<std::string, int> ids;  // name -> text id
    std::vector<TextTable> tables;   // in language index order
};

// Reads the catalogue file (the languages with their resource ids and files, and the
// named ids) and every language file it lists.
TextCatalogue readTexts(const std::string& file);

// The characters of a UTF-8 text as UTF-16 code units; an invalid sequence or a character
// outside the basic plane is a ContentError naming the file and item.
std::u16string decodeUtf8(const std::string& text, const std::string& file, const std::string& item);

}  // namespace contentc
