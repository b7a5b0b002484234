#include "hal/base/MemoryBudget.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

uint64_t availablePhysicalMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    uint64_t kilobytes;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:") return kilobytes * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : 0;
}

uint64_t availableVirtualMemory() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
    uint64_t usedPages = 0;
    std::ifstream("/proc/self/statm") >> usedPages;
    const uint64_t used = usedPages * uint64_t(sysconf(_SC_PAGESIZE));
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

bool budgetFromEnvironment(uint64_t* budget) {
    const char* text = std::getenv(kMemoryBudgetVariable);
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0' || value == 0) {
        std::fprintf(stderr, "%s=\"%s\" is not a positive number of bytes; ignored.\n",
                     kMemoryBudgetVariable, text);
        return false;
    }
    *budget = value;
    return true;
}

}  // namespace

MemoryBudget HAL_splitMemoryBudget(uint64_t budget) {
    return {budget / 10, budget / 10, budget - budget / 10};
}

uint64_t HAL_getMemoryBudgetBytes() {
    uint64_t budget;
    if (budgetFromEnvironment(&budget)) return budget;
    return std::min({availablePhysicalMemory(), availableVirtualMemory(), kMemoryBudgetCap});
}

void HAL_getMemoryBudget(uint64_t* first, uint64_t* second, uint64_t* rest) {
    const MemoryBudget split = HAL_splitMemoryBudget(HAL_getMemoryBudgetBytes());
    if (first) *first = split.first;
    if (second) *second = split.second;
    if (rest) *rest = split.rest;
}
