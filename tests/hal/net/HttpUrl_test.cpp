#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "hal/net/HttpUrl.h"

namespace {

struct Parts {
    std::string host;
    int port;
    std::string path;
    std::optional<std::string> query, fragment;
    bool operator==(const Parts&) const = default;
};

std::optional<Parts> split(const std::string& text) {
    HttpUrl url;
    if (!url.parse(text)) return std::nullopt;
    return Parts{url.host(), url.port(), url.path(), url.query(), url.fragment()};
}

TEST(HttpUrl, SplitsHostPortPathQueryAndFragment) {
    EXPECT_EQ(split("http://example.com/a/b.html"), (Parts{"example.com", 80, "/a/b.html", {}, {}}));
    EXPECT_EQ(split("http://h:8080/p"), (Parts{"h", 8080, "/p", {}, {}})) << "the URL's own port";
    EXPECT_EQ(split("http://h:8080"), (Parts{"h", 8080, "/", {}, {}})) << "ends with the port; the path is /";
    EXPECT_EQ(split("HTTPS://h"), (Parts{"h", 443, "/", {}, {}})) << "https defaults to 443";
    EXPECT_EQ(split("https://h:8443/x"), (Parts{"h", 8443, "/x", {}, {}}));
    EXPECT_EQ(split("http://h/p?a=b?c#r?x"), (Parts{"h", 80, "/p", "a=b?c", "r?x"}))
        << "the query runs from the first '?' to the '#'";
    EXPECT_EQ(split("http://h/a:b"), (Parts{"h", 80, "/a:b", {}, {}})) << "a ':' in the path is no port";
    EXPECT_EQ(split("http://h?q"), (Parts{"h", 80, "/", "q", {}}));
    EXPECT_EQ(split("http://[::1]:99/x"), (Parts{"[::1]", 99, "/x", {}, {}}));
    EXPECT_EQ(split("http://user:secret@h/"), (Parts{"h", 80, "/", {}, {}}));

    HttpUrl url;
    ASSERT_TRUE(url.parse("https://[::1]/"));
    EXPECT_TRUE(url.secure());
    EXPECT_EQ(url.bareHost(), "::1");
    EXPECT_TRUE(url.hostIsNumeric());
    ASSERT_TRUE(url.parse("http://localhost/"));
    EXPECT_FALSE(url.secure());
    EXPECT_FALSE(url.hostIsNumeric());
}

TEST(HttpUrl, RefusesWhatCannotBeRequested) {
    for (const char* text : {"", "ftp://h/", "h/p", "//h/p", "http://", "http://h:99999/", "http://h:0/",
                             "http://h/a b", "http://h\r\n/", "file:///etc/passwd"})
        EXPECT_EQ(split(text), std::nullopt) << text;
    EXPECT_EQ(split(std::string("http://h/\0x", 11)), std::nullopt) << "an embedded NUL";
    HttpUrl url;
    ASSERT_TRUE(url.parse("http://h:81/p?q"));
    ASSERT_FALSE(url.parse("nonsense"));
    EXPECT_EQ(url.host(), "");
    EXPECT_EQ(url.port(), 0);
    EXPECT_EQ(url.query(), std::nullopt) << "a failed parse leaves nothing of the previous URL";
}

}  // namespace
