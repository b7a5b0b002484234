// Drives HALString through random sequences of operations and checks every result against
// std::u16string. Each input byte selects an operation; following bytes are its operands.

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

#include "hal/base/HALString.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkSame(const HALString* s, const std::u16string& model) {
    check(s->length() == model.size());
    if (model.empty()) return;
    check(s->chars() != nullptr && s->chars()[model.size()] == 0);
    check(std::u16string(s->chars(), s->length()) == model);
}

std::u16string takeText(FuzzedDataProvider& input) {
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, 16);
    std::u16string text;
    for (size_t i = 0; i < length; ++i) text += char16_t(input.ConsumeIntegralInRange<uint16_t>(1, 0xFFFF));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::u16string model = takeText(input);
    HALString* s = new HALString(model.c_str());
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 6)) {
        case 0: {
            std::u16string more = takeText(input);
            s->append(more.c_str());
            model += more;
            break;
        }
        case 1: {
            s->append(s);
            model += model;
            if (model.size() > 4096) {  // keep inputs fast
                s->release();
                return 0;
            }
            break;
        }
        case 2: {
            const uint32_t begin = input.ConsumeIntegralInRange<uint32_t>(0, s->length());
            const uint32_t end = input.ConsumeIntegralInRange<uint32_t>(begin, s->length());
            HALString* sub = s->substring(begin, end);
            checkSame(sub, model.substr(begin, end - begin));
            sub->release();
            break;
        }
        case 3: {
            const char16_t c = char16_t(input.ConsumeIntegral<uint16_t>());
            const int32_t from = input.ConsumeIntegralInRange<int32_t>(-2, int32_t(model.size()) + 2);
            const size_t expected = model.find(c, size_t(from < 0 ? 0 : from));
            check(s->indexOf(c, from) == (expected == std::u16string::npos ? -1 : int32_t(expected)));
            const size_t last = model.rfind(c);
            check(s->lastIndexOf(c) == (last == std::u16string::npos ? -1 : int32_t(last)));
            break;
        }
        case 4: {
            const int32_t index = input.ConsumeIntegralInRange<int32_t>(-2, int32_t(model.size()) + 2);
            const bool inside = index >= 0 && size_t(index) < model.size();
            check(s->charAt(index) == (inside ? model[index] : 0));
            break;
        }
        case 5: {
            std::u16string other = takeText(input);
            HALString* o = new HALString(other.data(), uint32_t(other.size()));
            check(s->equals(o) == (model == other));
            o->release();
            break;
        }
        case 6: {
            HALString* copy = new HALString(*s);
            check(copy->equals(s) == 1);
            std::vector<char16_t> buffer(model.size() + 1);
            check(copy->getChars(buffer.data()) == 1);
            check(std::u16string(buffer.data(), model.size()) == model);
            copy->release();
            break;
        }
        }
        checkSame(s, model);
    }
    s->release();
    return 0;
}
