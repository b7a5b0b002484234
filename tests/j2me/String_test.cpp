#include "hal/base/HALString.h"
#include "lib_src/vm/VMCString.h"
#include "pb_src/j2me/java_io_UnsupportedEncodingException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::lang::String;
using Bytes = VMArray<int8_t, 1>;
using Chars = VMArray<char16_t, 1>;

VMPtr<String> s(const char* text) { return String::fromUtf8(text); }

using classlib::messageOf;

VMPtr<Bytes> bytes(std::initializer_list<int> values) { return classlib::bytesOf(values); }

TEST(String, ComparisonHashingAndSearching) {
    testRuntime();
    EXPECT_TRUE(s("abc")->equals(s("xabcx")->substring(1, 4))) << "whatever the offsets";
    EXPECT_EQ(s("")->hashCode(), 0);
    EXPECT_EQ(s("ab")->hashCode(), 3105);
    const bool truths[][2] = {
        {s("abc")->equals(s("abd")), false}, {s("abc")->equals(nullptr), false},
        {s("abc")->equals(java::lang::Object::_VM_new()), false},
        {s("H\xC3\xA4llo")->equalsIgnoreCase(s("h\xC3\x84LLO")), true}, {s("abc")->equalsIgnoreCase(s("ab")), false},
        {s("abc")->regionMatches(false, 1, s("zbc"), 1, -3), true},  // a negative length that passes the checks
        {s("abc")->regionMatches(false, -1, s("abc"), 0, 1), false}, {s("prefix")->startsWith(s("pre")), true},
        {s("prefix")->startsWith(s("fix"), 3), true}, {s("prefix")->startsWith(s("fix"), 4), false},
        {s("prefix")->startsWith(s("p"), -1), false}};
    for (size_t i = 0; i < std::size(truths); ++i) EXPECT_EQ(truths[i][0], truths[i][1]) << "case " << i;
    VMPtr<String> t = s("abcabc");
    const int32_t found[][2] = {  // 0x10061: values above 0xFFFF never match
        {t->indexOf('b'), 1}, {t->indexOf('b', 2), 4}, {t->indexOf('a', -5), 0}, {t->indexOf('a', 6), -1},
        {t->indexOf(0x10061), -1}, {t->lastIndexOf('a'), 3}, {s("abc")->lastIndexOf('c', 1000), 2},
        {t->lastIndexOf('c', -1), -1}};
    for (size_t i = 0; i < std::size(found); ++i) EXPECT_EQ(found[i][0], found[i][1]) << "search " << i;
}

TEST(String, SlicingSharesAndChecksItsBounds) {
    testRuntime();
    VMPtr<String> t = s("hello");
    EXPECT_EQ(t->substring(0, 5).get(), t.get()) << "the whole string is the string itself";
    EXPECT_EQ(t->substring(5)->length(), 0);
    VMPtr<String> ell = t->substring(1, 4);
    EXPECT_EQ(ell->toUtf8(), "ell");
    EXPECT_EQ(ell->value.get(), t->value.get()) << "no copy";
    EXPECT_EQ(s("hello world")->substring(6)->substring(1, 3)->toUtf8(), "or") << "a slice of a slice";
    EXPECT_EQ(messageOf<java::lang::StringIndexOutOfBoundsException>([&] { t->substring(2, 1); }),
              "String index out of range: -1");
    EXPECT_EQ(messageOf<java::lang::StringIndexOutOfBoundsException>([&] { t->charAt(9); }),
              "String index out of range: 9");
    VMPtr<Chars> out = Chars::_VM_new(5);
    t->getChars(1, 3, out, 2);
    EXPECT_EQ(out->at(2), u'e');
    EXPECT_EQ(out->at(3), u'l');
    EXPECT_EQ(messageOf<java::lang::StringIndexOutOfBoundsException>([&] { t->getChars(-1, 2, out, 0); }), "-1");
    EXPECT_EQ(messageOf<java::lang::StringIndexOutOfBoundsException>([&] { t->getChars(3, 2, out, 0); }), "-1");
}

TEST(String, TrimReplaceAndLowerCase) {
    testRuntime();
    VMPtr<String> plain = s("plain");
    for (const VMPtr<String>& same : {plain->trim(), plain->replace(u'x', u'y'), plain->replace(u'a', u'a'), plain->toLowerCase()})
        EXPECT_EQ(same.get(), plain.get()) << "nothing to change: the string itself";
    EXPECT_EQ(s(" \t padded \n")->trim()->toUtf8(), "padded");
    EXPECT_EQ(s("   ")->trim()->length(), 0);
    EXPECT_EQ(s("banana")->replace(u'a', u'o')->toUtf8(), "bonono");
    EXPECT_EQ(s("MiXeD \xC3\x89t\xC3\xA9")->toLowerCase()->toUtf8(), "mixed \xC3\xA9t\xC3\xA9");
}

TEST(String, DecodesBytesByEncodingName) {
    testRuntime();
    VMPtr<String> utf8 = String::_VM_new();
    utf8->_VM_init(bytes({'a', 0xC3, 0xA9}));
    EXPECT_EQ(utf8->toUtf16(), u"a\u00e9");
    VMPtr<String> latin = String::_VM_new();
    latin->_VM_init(bytes({0xE9}), 0, 1, VMPtr<java::lang::String>::fromLiteral("ISO-8859-1"));
    EXPECT_EQ(latin->toUtf16(), u"\u00e9");

    EXPECT_EQ(messageOf<java::io::UnsupportedEncodingException>(
                  [] { String::_VM_new()->_VM_init(bytes({'a'}), 0, 1, VMPtr<java::lang::String>::fromLiteral("utf-8")); }),
              "utf-8");
    EXPECT_THROW(String::_VM_new()->_VM_init(bytes({'a'}), 0, 1, VMPtr<String>()), java::lang::NullPointerException*);
    EXPECT_EQ(messageOf<java::lang::IndexOutOfBoundsException>([] { String::_VM_new()->_VM_init(bytes({'a'}), -1, 1); }),
              "-1");
    EXPECT_EQ(messageOf<java::lang::IndexOutOfBoundsException>([] { String::_VM_new()->_VM_init(bytes({'a'}), 1, 1); }),
              "2");
    EXPECT_EQ(messageOf<java::lang::RuntimeException>([] { String::_VM_new()->_VM_init(bytes({'a', 0x80})); }),
              "Improperly formatted UTF-8 string.");
}

TEST(String, ModifiedUtf8CrossesToNativeText) {
    testRuntime();
    VMPtr<String> withZero = String::fromUtf16(std::u16string(u"a\0\u00e9", 3));
    VMCString native;
    withZero->_VM_toCString(&native);
    EXPECT_STREQ(native.c_str(), "a\xC0\x80\xC3\xA9");
    VMPtr<String> back = String::_VM_new();
    back->_VM_init(native.c_str());
    EXPECT_TRUE(back->equals(withZero));
    withZero->_VM_toCStringAppend(&native);
    EXPECT_EQ(native.length(), 10u);
    EXPECT_TRUE(s("h\xC3\xA9")->_VM_equals("h\xC3\xA9"));
    EXPECT_FALSE(s("h\xC3\xA9")->_VM_equals("h\xC3\x89"));
    EXPECT_FALSE(s("h")->_VM_equals(nullptr));
}

TEST(String, ValueOfSpellsEveryType) {
    testRuntime();
    EXPECT_EQ(String::valueOf(true).get(), VMPtr<java::lang::String>::fromLiteral("true").get());
    const std::pair<VMPtr<String>, const char*> spelled[] = {
        {String::valueOf(char16_t(u'x')), "x"}, {String::valueOf(int32_t(-42)), "-42"},
        {String::valueOf(int64_t(1) << 40), "1099511627776"}, {String::valueOf(1.5), "1.5"},
        {String::valueOf(VMPtr<java::lang::Object>()), "null"}};
    for (const auto& [text, expected] : spelled) EXPECT_EQ(text->toUtf8(), expected);
}

TEST(String, StringsFromCharsABufferOrPlatformTextKeepTheirTextWhenTheSourceChanges) {
    testRuntime();
    VMPtr<Chars> chars = Chars::_VM_new(4);
    for (int32_t i = 0; i < 4; ++i) chars->at(i) = char16_t(u'w' + i);
    VMPtr<String> fromChars = String::_VM_new();
    fromChars->_VM_init(chars, 1, 2);
    chars->at(1) = u'!';
    EXPECT_EQ(fromChars->toUtf8(), "xy");
    EXPECT_EQ(messageOf<java::lang::StringIndexOutOfBoundsException>([&] { String::_VM_new()->_VM_init(chars, 3, 2); }),
              "String index out of range: 5");
    HALString* native = new HALString(u"platform");
    VMPtr<String> copied = String::_VM_new();
    copied->_VM_init(native);
    native->release();
    EXPECT_EQ(copied->toUtf8(), "platform");
    VMPtr<java::lang::StringBuffer> buffer = java::lang::StringBuffer::_VM_new();
    buffer->_VM_init(s("abc"));
    VMPtr<String> text = String::_VM_new();
    text->_VM_init(buffer);
    buffer->setLength(0);
    buffer->append(s("xyz"));
    EXPECT_EQ(text->toUtf8(), "abc");
}

}  // namespace
