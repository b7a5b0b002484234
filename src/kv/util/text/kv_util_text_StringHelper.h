#pragma once

// kv::util::text::StringHelper: the backward character search the line breaker needs.

#include "pb_src/j2me/java_lang_String.h"

namespace kv::util::text {

class StringHelper : public virtual ::java::lang::Object {
    VM_CLASS(StringHelper, ::java::lang::Object)

    VMPtr<StringHelper> _VM_init() {
        Object::_VM_init();
        return this;
    }

    // The highest index from `to` down to `from` (both included) holding c; -1 when none
    // does or from > to. The indexes searched must lie inside s.
    static int32_t lastIndexOf(VMPtr<::java::lang::String> s, char16_t c, int32_t from, int32_t to);
};

}  // namespace kv::util::text
