#pragma once

// Flags a target gives libFuzzer itself. LLVMFuzzerInitialize runs before libFuzzer reads
// its command line, so flags put there count as if given first on it; flags given on the
// command line still override them.

#include <cstddef>
#include <initializer_list>
#include <vector>

// Puts the flags right after the program's name in the command line libFuzzer reads.
inline void addFuzzerFlags(int* argc, char*** argv, std::initializer_list<const char*> flags) {
    static std::vector<char*> arguments;
    arguments.assign(*argv, *argv + *argc);
    arguments.insert(arguments.begin() + 1, flags.size(), nullptr);
    size_t at = 1;
    for (const char* flag : flags) arguments[at++] = const_cast<char*>(flag);
    arguments.push_back(nullptr);
    *argc = int(arguments.size() - 1);
    *argv = arguments.data();
}

// For targets whose inputs leave memory behind by design (the managed runtime's objects
// live until a collection takes them; the loopback server keeps every request): libFuzzer's
// leak check after each input that allocated more than it freed would scan the whole heap
// every time, a hundred times slower. Such targets check their own memory instead (the
// heap after collections, the platform's counted bytes).
inline void skipLeakChecksPerInput(int* argc, char*** argv) { addFuzzerFlags(argc, argv, {"-detect_leaks=0"}); }
