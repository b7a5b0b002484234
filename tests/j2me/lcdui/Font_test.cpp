// Font: one object per combination, the default font apart from the cache, the value
// checks, the style predicates, measuring with range checks, and both static fields kept
// across collections.

#include "tests/j2me/lcdui/ProfileTestSupport.h"

namespace profiletest {
namespace {

TEST(Font, TheCacheAndTheDefaultFontSurviveCollections) {
    testRuntime();
    Font* cached = Font::getFont(0, 0, 0).get();
    Font* fallback = Font::getDefaultFont().get();
    EXPECT_NE(cached, fallback);
    EXPECT_EQ(cached->getHeight(), fallback->getHeight());
    EXPECT_GT(cached->getBaselinePosition(), 0);
    testRuntime()->collect();
    EXPECT_EQ(Font::getFont(0, 0, 0).get(), cached);
    EXPECT_EQ(Font::getDefaultFont().get(), fallback);
    EXPECT_NE(Font::getFont(0, 0, Font::SIZE_LARGE).get(), cached);
}

TEST(Font, ValuesOutsideTheirSetsAreRefused) {
    testRuntime();
    struct Refused { int32_t face, style, size; const char* message; };
    const Refused refused[] = {{1, 0, 0, "Unsupported face"}, {0, 8, 0, "Unsupported style"},
                               {0, -1, 0, "Unsupported style"}, {0, 0, 4, "Unsupported size"}};
    for (const Refused& r : refused)
        EXPECT_EQ(messageOf<java::lang::IllegalArgumentException>([&] { Font::getFont(r.face, r.style, r.size); }),
                  r.message);
    VMPtr<Font> font = Font::getFont(64, 3, 16);
    EXPECT_TRUE(font->isBold() && font->isItalic());
    EXPECT_FALSE(font->isPlain() || font->isUnderlined());
}

TEST(Font, MeasuringChecksRunsWithoutOverflow) {
    testRuntime();
    VMPtr<Font> font = Font::getDefaultFont();
    VMPtr<java::lang::String> text = VMPtr<java::lang::String>::fromLiteral("Wide");
    VMPtr<Font::CharArray> chars = Font::CharArray::_VM_new(4);
    for (int32_t i = 0; i < 4; ++i) chars->elements()[i] = text->charAt(i);
    EXPECT_EQ(font->charsWidth(chars, 2, 0), 0);
    EXPECT_EQ(font->charsWidth(chars, 0, 4), font->stringWidth(text));
    EXPECT_EQ(font->substringWidth(text, 1, 2), font->charWidth(u'i') + font->charWidth(u'd'));
    const std::pair<int32_t, int32_t> outside[] = {{0, 5}, {1, INT_MAX}, {-1, 1}, {5, 0}};
    for (auto [offset, length] : outside) {
        EXPECT_THROW(font->charsWidth(chars, offset, length), java::lang::ArrayIndexOutOfBoundsException*);
        EXPECT_THROW(font->substringWidth(text, offset, length), java::lang::ArrayIndexOutOfBoundsException*);
    }
}

}  // namespace
}  // namespace profiletest
