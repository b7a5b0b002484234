#include <gtest/gtest.h>

#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::String;

TEST(String, CharactersAndBounds) {
    testRuntime();
    VMPtr<String> s = String::fromUtf8("h\xC3\xA9llo");
    EXPECT_EQ(s->length(), 5);
    EXPECT_EQ(s->charAt(1), u'\u00e9');
    EXPECT_THROW(s->charAt(5), java::lang::StringIndexOutOfBoundsException*);
    EXPECT_EQ(s->toUtf8(), "h\xC3\xA9llo");
}

}  // namespace
