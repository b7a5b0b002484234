#pragma once

// String literals: each distinct text becomes one String the first time it is used, and
// the same object is handed out on every later use. Literal strings are held by
// native-scope handles for the life of the process, so they are never collected.

#include "lib_src/vm/VMPtr.h"

class VMStringMap;
namespace java::lang {
class String;
}

VMStringMap* _VM_getLiteralTable();
// VMPtr<java::lang::String>::fromLiteral(text) interns a literal through this table.
template <>
VMPtr<java::lang::String> VMPtr<java::lang::String>::fromLiteral(const char* text);
