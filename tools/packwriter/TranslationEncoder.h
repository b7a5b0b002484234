#pragma once

// Translation tables for resource packs: the text count (16-bit), then for each text in id
// order its byte length (16-bit) and its characters in modified UTF-8 (U+0000 as C0 80,
// characters beyond the basic plane as two three-byte surrogates). Malformed UTF-8 input,
// more than 65535 texts or a text of more than 32767 encoded bytes are refused with
// std::invalid_argument.

#include <string>
#include <vector>

#include "tools/packwriter/PackWriter.h"

namespace packwriter {

// The modified UTF-8 form of one UTF-8 text.
Bytes modifiedUtf8(const std::string& utf8);
// A whole table: text i of `texts` (UTF-8) is id i.
Bytes encodeTranslation(const std::vector<std::string>& texts);

}  // namespace packwriter
