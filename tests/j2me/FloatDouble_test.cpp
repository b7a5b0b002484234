// Float and Double: the limit constants their static initialisers take from the platform,
// and their "%G" text.

#include <bit>
#include <cmath>
#include <cstdio>

#include "pb_src/j2me/java_lang_Double.h"
#include "pb_src/j2me/java_lang_Float.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::lang::Class;
using java::lang::Double;
using java::lang::Float;

void initialise(Class* record) { _VM_ensureClassInitialized(_VM_getClassRegistry(), record); }

// What the C library writes for d with "%G".
std::string cText(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%G", d);
    return text;
}

TEST(FloatDouble, TheStaticInitialisersSetTheFiveConstants) {
    testRuntime();
    EXPECT_EQ(Float::_VM_getClass()->state, Class::NotInitialized);
    EXPECT_EQ(std::bit_cast<uint32_t>(Float::MAX_VALUE), 0u) << "nothing before initialisation";
    initialise(Float::_VM_getClass());
    initialise(Double::_VM_getClass());
    const uint32_t floats[] = {0x7F7FFFFFu, 0x00000001u, 0x7FC00000u, 0x7F800000u, 0xFF800000u};
    const float floatValues[] = {Float::MAX_VALUE, Float::MIN_VALUE, Float::NaN, Float::POSITIVE_INFINITY,
                                 Float::NEGATIVE_INFINITY};
    const uint64_t doubles[] = {0x7FEFFFFFFFFFFFFFull, 1, 0x7FF8000000000000ull, 0x7FF0000000000000ull,
                                0xFFF0000000000000ull};
    const double doubleValues[] = {Double::MAX_VALUE, Double::MIN_VALUE, Double::NaN, Double::POSITIVE_INFINITY,
                                   Double::NEGATIVE_INFINITY};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(std::bit_cast<uint32_t>(floatValues[i]), floats[i]) << i;
        EXPECT_EQ(std::bit_cast<uint64_t>(doubleValues[i]), doubles[i]) << i;
    }
}

TEST(FloatDouble, TextHasSixSignificantDigitsAndAnExponentOutsideATenThousandthToAMillion) {
    testRuntime();
    const std::pair<float, const char*> floats[] = {
        {1.0f, "1"}, {1.5f, "1.5"}, {0.1f, "0.1"}, {-0.0f, "-0"}, {3.14159265f, "3.14159"}, {123456.0f, "123456"},
        {16777217.0f, "1.67772E+07"}, {1000000.0f, "1E+06"}, {0.0001f, "0.0001"}, {0.00001f, "1E-05"},
        {3.4028235e38f, "3.40282E+38"},
    };
    for (auto [value, text] : floats) EXPECT_EQ(Float::toString(value)->toUtf8(), text);
    const std::pair<double, const char*> doubles[] = {
        {0.1, "0.1"}, {1234567.0, "1.23457E+06"}, {-1e-7, "-1E-07"}, {2.0 / 3.0, "0.666667"}, {123456.7, "123457"},
        {-1.7976931348623157e308, "-1.79769E+308"}, {4.9e-324, "4.94066E-324"},  // the longest text fits
    };
    for (auto [value, text] : doubles) EXPECT_EQ(Double::toString(value)->toUtf8(), text);
    for (double special : {double(NAN), double(INFINITY), -double(INFINITY)}) {
        EXPECT_EQ(Float::toString(float(special))->toUtf8(), cText(special));
        EXPECT_EQ(Double::toString(special)->toUtf8(), cText(special));
    }
}

}  // namespace
