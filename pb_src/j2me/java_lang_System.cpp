#include "pb_src/j2me/java_lang_System.h"

#include "hal/base/FatalError.h"
#include "hal/services/Properties.h"
#include "lib_src/vm/SystemProperties.h"
#include "lib_src/vm/VMCString.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConsoleOutputStream.h"
#include "hal/base/SystemClock.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_Runtime.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

VM_DEFINE_CLASS(System, "java.lang.System", "java.lang.Object", &System::_VM_clinit)

VMPtr<::java::io::PrintStream> System::out{VMStaticScope::instance()};
VMPtr<::java::io::PrintStream> System::err{VMStaticScope::instance()};

int64_t System::currentTimeMillis() { return HAL_currentTimeMillis(); }

void System::gc() { Runtime::getRuntime()->gc(); }

void System::_VM_clinit() {
    VMPtr<com::kelvane::ostrel::cldc::io::ConsoleOutputStream> console =
        com::kelvane::ostrel::cldc::io::ConsoleOutputStream::_VM_new();
    console->_VM_init();
    VMPtr<::java::io::PrintStream> stream = ::java::io::PrintStream::_VM_new();
    out = stream->_VM_init(console);
    err = out;
}

namespace {

VMArray_Base* asArray(Object* object) {
    auto* array = dynamic_cast<VMArray_Base*>(object);
    if (array == nullptr) vm::throwNew<ArrayStoreException>();
    return array;
}

// Primitive arrays hold one primitive type; reference arrays (rows of a two-dimensional
// array included) hold references. The two kinds never mix.
void checkElementTypesMatch(VMArray_Base* src, VMArray_Base* dst) {
    if (src->type != dst->type) vm::throwNew<ArrayStoreException>();
}

bool rangeFits(VMArray_Base* array, int32_t position, int32_t length) {
    return position >= 0 && int64_t(position) + length <= array->length;
}

void checkRanges(VMArray_Base* src, int32_t srcPos, VMArray_Base* dst, int32_t dstPos, int32_t length) {
    if (length < 0 || !rangeFits(src, srcPos, length) || !rangeFits(dst, dstPos, length))
        vm::throwNew<ArrayIndexOutOfBoundsException>();
}

// Primitive arrays of one type, and reference arrays of one element class (which is one C++
// element type, so the stored pointers have the same layout), copy as raw memory.
bool copiesAsBlock(VMArray_Base* src, VMArray_Base* dst) {
    return src->elementClass == nullptr || src->elementClass == dst->elementClass;
}

// Through the arrays' getter and setter, which adjust each pointer to the destination's
// element type and refuse an element it cannot hold. Different element classes mean
// different arrays, so the ranges cannot overlap.
void copyOneByOne(VMArray_Base* src, int32_t srcPos, VMArray_Base* dst, int32_t dstPos, int32_t length) {
    for (int32_t i = 0; i < length; ++i) dst->set(dstPos + i, src->get(srcPos + i));
}

}  // namespace

void System::arraycopy(VMPtr<Object> src, int32_t srcPos, VMPtr<Object> dst, int32_t dstPos, int32_t length) {
    if (!src || !dst) vm::throwNew<NullPointerException>();
    VMArray_Base* from = asArray(src.get());
    VMArray_Base* to = asArray(dst.get());
    checkElementTypesMatch(from, to);
    checkRanges(from, srcPos, to, dstPos, length);
    if (copiesAsBlock(from, to)) to->copyElements(from, srcPos, dstPos, length);
    else copyOneByOne(from, srcPos, to, dstPos, length);
}

VMPtr<String> System::getProperty(VMPtr<String> key) {
    if (!key) vm::throwNew<NullPointerException>(String::fromUtf8("key can't be null"));
    if (key->_VM_equals("")) vm::throwNew<IllegalArgumentException>(String::fromUtf8("key can't be empty"));

    VMCString name;
    key->_VM_toCString(&name);
    if (const char* value = SystemProperties::getInstance()->get(name.c_str())) return String::fromUtf8(value);

    const int32_t length = HAL_getSystemPropertyLength(key->chars(), key->length());
    if (length < 0) return nullptr;
    VMPtr<String::CharArray> characters = String::CharArray::_VM_new(length);
    int32_t copied = length;
    if (HAL_getSystemProperty(key->chars(), key->length(), characters->elements(), &copied) != 0)
        HAL_fatalError("HAL_getSystemProperty() failed!");
    VMPtr<String> value = String::_VM_new();
    return value->_VM_init(characters, 0, copied);
}

}  // namespace java::lang
