#include "src/kv/input/KeyIndexMap.h"

namespace kv::input {

int32_t keyIndexOf(int32_t keyCode) {
    if (keyCode >= '0' && keyCode <= '9') return 16 + (keyCode - '0');
    switch (keyCode) {
    case -1: case -24: return 1;
    case -3: case -26: return 2;
    case -4: case -27: return 5;
    case -2: case -25: return 6;
    case -5: case -28: return 8;
    case -6: return 7;
    case -7: return 15;
    case '*': return 26;
    case '#': return 28;
    case 'Y': return 27;
    case -9: case 'P': return 29;
    case 'W': return 30;
    case 'S': return 31;
    case 'A': return 32;
    case 'D': return 33;
    case ' ': return 34;
    default: return -1;
    }
}

}  // namespace kv::input
