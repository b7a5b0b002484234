#pragma once

// A temporary resource folder for pack tests: the module directory points at it, and the
// pack writer's parts go to its rsc/ folder. Also reads entries of the access layer's pack.

#include <string>

#include "hal/services/ModulePath.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/KvTestSupport.h"
#include "tests/support/TemporaryFolder.h"
#include "tools/packwriter/PackWriter.h"

namespace kvtest {

class PackFolder {
public:
    PackFolder() {
        testRuntime();
        HAL_setModuleDirectory(folder.path().c_str());
        folder.makeFolder("rsc");
    }
    ~PackFolder() { HAL_setModuleDirectory(nullptr); }
    std::string rsc() const { return folder.path() + "/rsc"; }
    void write(const std::string& name, const packwriter::Bytes& bytes) const { packwriter::writeFile(rsc(), name, bytes); }

private:
    TemporaryFolder folder;
};

inline packwriter::Entry entry(const std::string& content, int8_t type = -1) {
    return {packwriter::Bytes(content.begin(), content.end()), type};
}

inline std::string str(const VMPtr<Bytes>& array) {
    return std::string(reinterpret_cast<const char*>(array->elements()), size_t(array->length));
}

// A data stream over the bytes, as the access layer makes them.
inline VMPtr<java::io::DataInputStream> streamOf(const packwriter::Bytes& bytes) {
    VMPtr<Bytes> array = kvtest::bytes(bytes);
    return kv::Resources::createStream(array, 0, array->length);
}

}  // namespace kvtest
