#pragma once

// java::lang::Float: the limit constants of single precision and the text of a float.

#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

// Static operations and constants only: no allocation and no reflective factory.
class Float : public virtual Object {
    VM_ABSTRACT_CLASS(Float, Object)

    // Sets the constants from the platform; they read 0 until the class is initialised.
    static void _VM_clinit();

    // The "%G" text of f widened to double: six significant digits, as Double::toString.
    static VMPtr<String> toString(float f);

    static float MAX_VALUE;
    static float MIN_VALUE;
    static float NaN;
    static float POSITIVE_INFINITY;
    static float NEGATIVE_INFINITY;
};

}  // namespace java::lang
