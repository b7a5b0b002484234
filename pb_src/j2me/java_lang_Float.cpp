#include "pb_src/j2me/java_lang_Float.h"

#include "hal/base/FloatConstants.h"
#include "pb_src/j2me/java_lang_Double.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Float, "java.lang.Float", "java.lang.Object", &Float::_VM_clinit)

float Float::MAX_VALUE = 0;
float Float::MIN_VALUE = 0;
float Float::NaN = 0;
float Float::POSITIVE_INFINITY = 0;
float Float::NEGATIVE_INFINITY = 0;

void Float::_VM_clinit() {
    HAL_getFloatConstants(&MAX_VALUE, &MIN_VALUE, &NaN, &NEGATIVE_INFINITY, &POSITIVE_INFINITY);
}

VMPtr<String> Float::toString(float f) { return Double::toString(f); }

}  // namespace java::lang
