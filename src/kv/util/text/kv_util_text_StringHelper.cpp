#include "src/kv/util/text/kv_util_text_StringHelper.h"

namespace kv::util::text {

VM_DEFINE_CLASS(StringHelper, "kv.util.text.StringHelper", "java.lang.Object", VM_NO_CLINIT)

int32_t StringHelper::lastIndexOf(VMPtr<java::lang::String> s, char16_t c, int32_t from, int32_t to) {
    for (int32_t i = to; i >= from; --i)
        if (s->charAt(i) == c) return i;
    return -1;
}

}  // namespace kv::util::text
