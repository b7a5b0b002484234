// Figures for the content build, as CMake runs it in every build:
// - compiling the whole content/ folder into an empty resource folder (a clean build);
// - compiling again after one source changed (one language file), into the folder the
//   first run filled: what an edit costs. The compiler always rebuilds every resource;
//   this shows it stays well under a second.
// Median of 7 runs each, in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tools/contentc/Compiler.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double timedCompile(const contentc::Options& options) {
    const Clock::time_point start = Clock::now();
    contentc::compile(options);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    const fs::path work = fs::temp_directory_path() / "ostrel_content_bench";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy(OSTREL_CONTENT_DIR, work / "content", fs::copy_options::recursive);
    contentc::Options options;
    options.contentDir = (work / "content").string();
    options.headerFile = (work / "generated" / "content" / "ContentIds.h").string();
    options.workDir = (work / "contentc-work").string();

    std::vector<double> clean, changed;
    for (int i = 0; i < 7; ++i) {
        options.outputDir = (work / ("rsc" + std::to_string(i))).string();
        clean.push_back(timedCompile(options));
    }
    options.outputDir = (work / "rsc0").string();
    for (int i = 0; i < 7; ++i) {
        std::ofstream(work / "content" / "text" / "en.txt", std::ios::app) << "# edit " << i << "\n";
        changed.push_back(timedCompile(options));
    }
    size_t files = 0, bytes = 0;
    for (const auto& entry : fs::directory_iterator(work / "rsc0")) ++files, bytes += fs::file_size(entry.path());
    std::printf("content build, clean:                 %7.1f ms (%zu files, %zu bytes)\n", median(clean), files, bytes);
    std::printf("content build, one source changed:    %7.1f ms\n", median(changed));
    fs::remove_all(work);
    return 0;
}
