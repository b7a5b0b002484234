#pragma once

// The one error of the content compiler: what went wrong, in which source file and at which
// item ("frames[3].boxes[0]", "text LANGUAGE_NAME_0"), so a broken source is found at once.

#include <stdexcept>
#include <string>

namespace contentc {

class ContentError : public std::runtime_error {
public:
    ContentError(const std::string& file, const std::string& item, const std::string& problem)
        : std::runtime_error(file + ": " + (item.empty() ? "" : item + ": ") + problem), file_(file), item_(item) {}
    const std::string& file() const { return file_; }
    const std::string& item() const { return item_; }

private:
    std::string file_;
    std::string item_;
};

}  // namespace contentc
