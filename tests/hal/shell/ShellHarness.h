#pragma once

// Runs the application shell headless in the test's process: a temporary folder beside
// "the executable" with the property files (the process's own, among the ShellFolders, and
// empty at the start: no file of another process can change what a test sees), the
// database folder redirected, the headless backend, the silent sound output, the runtime's
// callback table. The boot class's main runs `bootScenario`.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "hal/services/ModulePath.h"
#include "lib_src/vm/VM.h"
#include "tests/hal/shell/ShellFolders.h"

struct ShellHarness {
    explicit ShellHarness(const std::string& applicationName = "ShellTest") {
        folder = shellFolders.ofThisProcess();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);  // a killed child of the same number may have left one
        std::filesystem::create_directories(folder / "properties");
        std::ofstream(folder / "properties" / "app.prop")
            << "MIDlet-Name: " << applicationName << "\nMIDlet-1: Test,/icon.png,Test\n";
        HAL_setModuleDirectory(folder.c_str());
        setenv("OSTREL_DATABASE_DIR", (folder / "database").c_str(), 1);
        setenv("OSTREL_AUDIO", "silent", 1);
        auto made = std::make_unique<host::HeadlessBackend>();
        backend = made.get();
        host::setHostBackend(std::move(made));
        const VMCallbacks callbacks = VM::callbacks();
        HAL_setVMCallbacks(&callbacks);
    }
    ~ShellHarness() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    host::HeadlessBackend* backend;
};
