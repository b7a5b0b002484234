#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/net/HttpHeaderGroup.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

std::string text(const HALString* string) {
    if (string == nullptr) return "<null>";
    std::string bytes;
    for (uint32_t i = 0; i < string->length(); ++i) bytes += char(string->chars()[i]);
    return bytes;
}

Entries entries(const HttpHeaderGroup& group) {
    Entries all;
    for (int32_t i = 0; i < group.size(); ++i) all.emplace_back(text(group.at(i)->name), text(group.at(i)->value));
    return all;
}

Entries parse(const std::string& head) {
    HttpHeaderGroup group(HttpHeaderGroup::kResponse);
    EXPECT_EQ(group.appendHead(head.data(), head.size()), 0);
    return entries(group);
}

TEST(HttpHeaderGroup, ReadsAResponseHeadLineByLine) {
    EXPECT_EQ(parse("HTTP/1.1 200 OK: fine\r\nContent-Type:text/plain\r\nX-Pad: \t spaced out \t\r\n"
                    "Empty:\r\nno colon here\r\n\r\nBody: not a header\r\n"),
              (Entries{{"<null>", "HTTP/1.1 200 OK: fine"},
                       {"Content-Type", "text/plain"},
                       {"X-Pad", "spaced out"},
                       {"Empty", ""},
                       {"<null>", "no colon here"}}))
        << "the status line keeps its ':'; values lose their blanks; the empty line ends the head";
    EXPECT_EQ(parse("HTTP/1.0 204 No Content\nA: 1\nB: x:y\n"),
              (Entries{{"<null>", "HTTP/1.0 204 No Content"}, {"A", "1"}, {"B", "x:y"}}))
        << "bare LF ends a line too; only the first ':' splits";
    EXPECT_EQ(parse("HTTP/1.1 200 OK\r\nX-Long: one\r\n  two\r\n\tthree \r\n \r\nY:\r\n 2\r\n"),
              (Entries{{"<null>", "HTTP/1.1 200 OK"}, {"X-Long", "one two three"}, {"Y", "2"}}))
        << "folded lines continue the value before them";
    EXPECT_EQ(parse("HTTP/1.1 200 OK\r\n folded: nothing\r\n"),
              (Entries{{"<null>", "HTTP/1.1 200 OK"}, {"<null>", " folded: nothing"}}))
        << "a fold right after the status line has nothing to continue";
    const char raw[] = "HTTP/1.1 200 \xE9t\xE9\r\nN\0: v\xFF";
    EXPECT_EQ(parse(std::string(raw, sizeof raw - 1)),
              (Entries{{"<null>", "HTTP/1.1 200 \xE9t\xE9"}, {std::string("N\0", 2), "v\xFF"}}))
        << "every byte is kept as one character";
    EXPECT_EQ(parse(""), Entries{});
    EXPECT_EQ(parse("\r\nA: 1\r\n"), Entries{}) << "an empty first line ends the head";
}

TEST(HttpHeaderGroup, FindsAndReplacesNamesRegardlessOfCase) {
    const uint64_t before = HAL_getAllocatedBytes();
    {
        HttpHeaderGroup group(HttpHeaderGroup::kRequest);
        EXPECT_EQ(group.size(), 0);
        EXPECT_EQ(group.at(0), nullptr);
        EXPECT_EQ(group.find(u"X", 1), nullptr) << "the empty group is made on first use";
        auto* name = new HALString(u"Content-Type");
        auto* lower = new HALString(u"content-type");
        auto* first = new HALString(u"a/b");
        auto* second = new HALString(u"c/d");
        auto* line = new HALString(u"X-Raw: 1");
        EXPECT_EQ(group.set(name, first), 0);
        EXPECT_EQ(group.set(nullptr, line), 0);
        EXPECT_EQ(group.set(nullptr, line), 0) << "entries without a name are appended";
        EXPECT_EQ(group.set(lower, second), 0);
        EXPECT_EQ(entries(group),
                  (Entries{{"content-type", "c/d"}, {"<null>", "X-Raw: 1"}, {"<null>", "X-Raw: 1"}}))
            << "the second setting replaces the first in place";
        EXPECT_EQ(group.at(0)->group, HttpHeaderGroup::kRequest);
        EXPECT_EQ(text(group.find(u"CONTENT-TYPE", 12)->value), "c/d");
        EXPECT_EQ(group.find(u"Content-Typ", 11), nullptr);
        EXPECT_EQ(group.find(nullptr, 3), nullptr);
        EXPECT_EQ(first->referenceCount(), 1) << "the replaced entry gave its reference back";
        EXPECT_EQ(second->referenceCount(), 2);
        for (HALString* string : {name, lower, first, second, line}) string->release();
    }
    EXPECT_EQ(HAL_getAllocatedBytes(), before) << "entries and strings are freed with the group";
}

}  // namespace
