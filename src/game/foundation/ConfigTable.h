#pragma once

// Builds the managed int tables of the configuration classes from C++ rows.

#include <array>
#include <cstdint>
#include <initializer_list>

#include "lib_src/vm/VMArray.h"

namespace global {

using Table = VMArray<int32_t, 2>;

template <size_t Columns> VMPtr<Table> makeTable(std::initializer_list<std::array<int32_t, Columns>> rows) {
    VMPtr<Table> table = Table::_VM_new(int32_t(rows.size()), int32_t(Columns));
    int32_t r = 0;
    for (const auto& row : rows) {
        for (size_t c = 0; c < Columns; ++c) table->at(r)->at(int32_t(c)) = row[c];
        ++r;
    }
    return table;
}

}  // namespace global
