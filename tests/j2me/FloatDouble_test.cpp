// Float and Double: the limit constants their static initialisers take from the platform,
// and their "%G" text.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Double.h"
#include "pb_src/j2me/java_lang_Float.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Class;
using java::lang::Double;
using java::lang::Float;

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

uint64_t bitsOf(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void initialise(Class* record) { _VM_ensureClassInitialized(_VM_getClassRegistry(), record); }

std::string floatText(float f) { return Float::toString(f)->toUtf8(); }
std::string doubleText(double d) { return Double::toString(d)->toUtf8(); }

// What the C library writes for d with "%G".
std::string cText(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%G", d);
    return text;
}

TEST(Float, TheStaticInitialiserSetsTheFiveConstants) {
    testRuntime();
    Class* record = Float::_VM_getClass();
    EXPECT_EQ(record->state, Class::NotInitialized);
    EXPECT_EQ(bitsOf(Float::MAX_VALUE), 0u) << "nothing before initialisation";
    initialise(record);
    EXPECT_EQ(record->state, Class::Initialized);
    EXPECT_EQ(bitsOf(Float::MAX_VALUE), 0x7F7FFFFFu);
    EXPECT_EQ(bitsOf(Float::MIN_VALUE), 0x00000001u);
    EXPECT_EQ(bitsOf(Float::NaN), 0x7FC00000u);
    EXPECT_EQ(bitsOf(Float::POSITIVE_INFINITY), 0x7F800000u);
    EXPECT_EQ(bitsOf(Float::NEGATIVE_INFINITY), 0xFF800000u);
}

TEST(Double, TheStaticInitialiserSetsTheFiveConstants) {
    testRuntime();
    Class* record = Double::_VM_getClass();
    EXPECT_EQ(record->state, Class::NotInitialized);
    initialise(record);
    EXPECT_EQ(record->state, Class::Initialized);
    EXPECT_EQ(bitsOf(Double::MAX_VALUE), 0x7FEFFFFFFFFFFFFFull);
    EXPECT_EQ(bitsOf(Double::MIN_VALUE), 0x0000000000000001ull);
    EXPECT_EQ(bitsOf(Double::NaN), 0x7FF8000000000000ull);
    EXPECT_EQ(bitsOf(Double::POSITIVE_INFINITY), 0x7FF0000000000000ull);
    EXPECT_EQ(bitsOf(Double::NEGATIVE_INFINITY), 0xFFF0000000000000ull);
}

TEST(Float, TextHasSixSignificantDigitsWithoutTrailingZeros) {
    testRuntime();
    EXPECT_EQ(floatText(1.0f), "1");
    EXPECT_EQ(floatText(1.5f), "1.5");
    EXPECT_EQ(floatText(0.1f), "0.1") << "the widened value rounds back to six digits";
    EXPECT_EQ(floatText(-0.0f), "-0");
    EXPECT_EQ(floatText(3.14159265f), "3.14159");
    EXPECT_EQ(floatText(123456.0f), "123456");
    EXPECT_EQ(floatText(16777217.0f), "1.67772E+07") << "digits beyond the sixth are lost";
}

TEST(Float, ExponentFormBelowOneTenThousandthAndFromAMillion) {
    testRuntime();
    EXPECT_EQ(floatText(1234567.0f), "1.23457E+06");
    EXPECT_EQ(floatText(1000000.0f), "1E+06");
    EXPECT_EQ(floatText(0.0001f), "0.0001");
    EXPECT_EQ(floatText(0.00001f), "1E-05");
    EXPECT_EQ(floatText(3.4028235e38f), "3.40282E+38");
}

TEST(Double, TextHasSixSignificantDigitsWithoutTrailingZeros) {
    testRuntime();
    EXPECT_EQ(doubleText(1.0), "1");
    EXPECT_EQ(doubleText(0.1), "0.1");
    EXPECT_EQ(doubleText(1234567.0), "1.23457E+06");
    EXPECT_EQ(doubleText(-1e-7), "-1E-07");
    EXPECT_EQ(doubleText(2.0 / 3.0), "0.666667");
    EXPECT_EQ(doubleText(123456.7), "123457") << "rounded to six digits, still without exponent";
}

TEST(Double, ExtremeValuesFitTheBuffer) {
    testRuntime();
    initialise(Double::_VM_getClass());
    EXPECT_EQ(doubleText(Double::MAX_VALUE), "1.79769E+308");
    EXPECT_EQ(doubleText(-Double::MAX_VALUE), "-1.79769E+308") << "the longest text";
    EXPECT_EQ(doubleText(Double::MIN_VALUE), "4.94066E-324");
}

TEST(FloatDouble, NaNAndInfinitiesAreSpelledByTheCLibrary) {
    testRuntime();
    initialise(Float::_VM_getClass());
    initialise(Double::_VM_getClass());
    EXPECT_EQ(floatText(Float::NaN), cText(NAN));
    EXPECT_EQ(floatText(Float::POSITIVE_INFINITY), cText(INFINITY));
    EXPECT_EQ(floatText(Float::NEGATIVE_INFINITY), cText(-INFINITY));
    EXPECT_EQ(doubleText(Double::NaN), cText(NAN));
    EXPECT_EQ(doubleText(Double::POSITIVE_INFINITY), cText(INFINITY));
    EXPECT_EQ(doubleText(Double::NEGATIVE_INFINITY), cText(-INFINITY));
}

}  // namespace
