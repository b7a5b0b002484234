#include "lib_src/vm/VMLiterals.h"

#include <new>

#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMStringMap.h"
#include "pb_src/j2me/java_lang_String.h"

using java::lang::String;

VMStringMap* _VM_getLiteralTable() {
    static VMStringMap* table = new (_VM_allocateBytes(sizeof(VMStringMap))) VMStringMap();
    return table;
}

template <>
VMPtr<String> VMPtr<String>::fromLiteral(const char* text) {
    VMPtr<String> result;
    if (text == nullptr) return result;
    VMStringMap* table = _VM_getLiteralTable();
    void* found = nullptr;
    if (table->get(VMCString(text), &found)) {
        result = static_cast<String*>(found);
        return result;
    }
    result = String::_VM_new();
    result->_VM_init(text);
    // The pinning handle lives on the heap for good; the table maps the text to the String.
    void* block = _VM_allocateBytes(sizeof(VMPtr<String>));
    new (block) VMPtr<String>(VMNativeScope::instance(), result.get());
    table->put(VMCString(text), result.get());
    return result;
}
