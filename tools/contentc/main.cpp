// contentc: compiles the game's content sources into the resource folder and the id header.
//   contentc <content folder> <resource folder> <header file> [--font-dir D] [--work-dir D]

#include <cstdio>
#include <cstring>
#include <exception>

#include "tools/contentc/Compiler.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: contentc <content folder> <resource folder> <header file> [--font-dir D] [--work-dir D]\n");
        return 2;
    }
    contentc::Options options;
    options.contentDir = argv[1];
    options.outputDir = argv[2];
    options.headerFile = argv[3];
    options.workDir = options.outputDir + "/../contentc-work";
    for (int i = 4; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--font-dir") == 0) options.fontDir = argv[i + 1];
        else if (std::strcmp(argv[i], "--work-dir") == 0) options.workDir = argv[i + 1];
    }
    try {
        size_t count = contentc::compile(options);
        std::printf("contentc: %zu resources\n", count);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contentc: error: %s\n", e.what());
        return 1;
    }
}
