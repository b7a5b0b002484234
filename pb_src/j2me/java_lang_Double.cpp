#include "pb_src/j2me/java_lang_Double.h"

#include <cstdio>

#include "hal/base/FloatConstants.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Double, "java.lang.Double", "java.lang.Object", &Double::_VM_clinit)

double Double::MAX_VALUE = 0;
double Double::MIN_VALUE = 0;
double Double::NaN = 0;
double Double::POSITIVE_INFINITY = 0;
double Double::NEGATIVE_INFINITY = 0;

void Double::_VM_clinit() {
    HAL_getDoubleConstants(&MAX_VALUE, &MIN_VALUE, &NaN, &NEGATIVE_INFINITY, &POSITIVE_INFINITY);
}

// The longest "%G" text, "-1.79769E+308", is 13 characters.
VMPtr<String> Double::toString(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%G", d);
    return String::fromUtf8(text);
}

}  // namespace java::lang
