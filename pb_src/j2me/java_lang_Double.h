#pragma once

// java::lang::Double: the limit constants of double precision and the text of a double.

#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

// Static operations and constants only: no allocation and no reflective factory.
class Double : public virtual Object {
    VM_ABSTRACT_CLASS(Double, Object)

    // Sets the constants from the platform; they read 0 until the class is initialised.
    static void _VM_clinit();

    // The C "%G" text of d: six significant digits without trailing zeros, exponent form
    // (upper-case E) below 1E-4 and from 1E+06; NaN and the infinities as the C library
    // spells them.
    static VMPtr<String> toString(double d);

    static double MAX_VALUE;
    static double MIN_VALUE;
    static double NaN;
    static double POSITIVE_INFINITY;
    static double NEGATIVE_INFINITY;
};

}  // namespace java::lang
