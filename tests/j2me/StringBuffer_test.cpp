#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::lang::String;
using java::lang::StringBuffer;

VMPtr<StringBuffer> buffer() {
    VMPtr<StringBuffer> b = StringBuffer::_VM_new();
    return b->_VM_init();
}

TEST(StringBuffer, GrowsByDoublingUnlessOneAppendNeedsMore) {
    testRuntime();
    VMPtr<StringBuffer> b = buffer();
    EXPECT_EQ(b->capacity(), 16);
    b->append("12345678901234567");
    EXPECT_EQ(b->capacity(), 34);
    VMPtr<StringBuffer> big = buffer();
    big->append(String::fromUtf16(std::u16string(100, u'x')));
    EXPECT_EQ(big->capacity(), 100);
    VMPtr<StringBuffer> fromBytes = StringBuffer::_VM_new();
    fromBytes->_VM_init("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");  // 10 bytes, 5 characters
    EXPECT_EQ(fromBytes->capacity(), 26);
    EXPECT_EQ(fromBytes->length(), 5);
}

TEST(StringBuffer, ToStringSharesUntilTheNextChangeThatWouldShow) {
    testRuntime();
    VMPtr<StringBuffer> b = buffer();
    b->append("abc");
    VMPtr<String> first = b->toString();
    auto* array = b->value.get();
    b->append("d");
    EXPECT_EQ(b->value.get(), array) << "appending writes beyond the shared characters: no copy";
    EXPECT_EQ(first->toUtf8(), "abc");

    VMPtr<String> second = b->toString();
    b->insert(0, u'>');
    EXPECT_NE(b->value.get(), array) << "an insert moves shared characters: copied first";
    EXPECT_EQ(second->toUtf8(), "abcd");
    EXPECT_EQ(b->toString()->toUtf8(), ">abcd");

    VMPtr<String> third = b->toString();
    b->setLength(0);
    EXPECT_EQ(b->capacity(), 16) << "a new 16-character array";
    EXPECT_EQ(third->toUtf8(), ">abcd");
}

TEST(StringBuffer, AppendsEveryKindInsertsAndChecksOffsets) {
    testRuntime();
    VMPtr<StringBuffer> b = buffer();
    b->append(VMPtr<java::lang::String>::fromLiteral("n="))->append(int32_t(-7))->append(u';')->append(VMPtr<String>())->append(VMPtr<java::lang::Object>());
    EXPECT_EQ(b->toString()->toUtf8(), "n=-7;nullnull");
    b = buffer();
    b->append("ace");
    b->insert(1, VMPtr<java::lang::String>::fromLiteral("b"))->insert(3, u'd')->insert(5, int32_t(9));
    EXPECT_EQ(b->toString()->toUtf8(), "abcde9");
    b->insert(b->length(), VMPtr<String>());
    EXPECT_EQ(b->toString()->toUtf8(), "abcde9null");
    EXPECT_THROW(b->insert(b->length() + 1, VMPtr<java::lang::String>::fromLiteral("x")), java::lang::StringIndexOutOfBoundsException*);
    EXPECT_THROW(b->insert(-1, u'x'), java::lang::StringIndexOutOfBoundsException*);
}

TEST(StringBuffer, GetCharsChecksItsRangeAndSetLengthPadsWithZeros) {
    testRuntime();
    VMPtr<StringBuffer> b = buffer();
    b->append("abc");
    VMPtr<VMArray<char16_t, 1>> out = VMArray<char16_t, 1>::_VM_new(3);
    using java::lang::StringIndexOutOfBoundsException;
    EXPECT_EQ(classlib::messageOf<StringIndexOutOfBoundsException>([&] { b->getChars(2, 1, out, 0); }), "srcBegin > srcEnd");
    EXPECT_EQ(classlib::messageOf<StringIndexOutOfBoundsException>([&] { b->getChars(0, 4, out, 0); }),
              "String index out of range: 4");
    b->getChars(0, 3, out, 0);
    EXPECT_EQ(out->at(2), u'c');
    b = buffer();
    b->append("ab");
    b->setLength(4);
    EXPECT_EQ(b->toString()->toUtf16(), std::u16string(u"ab\0\0", 4));
    b->setLength(1);
    EXPECT_EQ(b->toString()->toUtf8(), "a");
    EXPECT_THROW(b->setLength(-1), java::lang::StringIndexOutOfBoundsException*);
}

TEST(StringBufferDeathTest, UseBeforeConstructionIsFatal) {
    EXPECT_EXIT(
        {
            testRuntime();
            VMPtr<StringBuffer> raw = StringBuffer::_VM_new();
            raw->append(u'x');
        },
        testing::ExitedWithCode(1), "Using StringBuffer without initialization!");
}

}  // namespace
