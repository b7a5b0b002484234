// Reads arbitrary bytes as a resource pack part and calls every accessor over ids 0 to 1023:
// no input may crash, allocate beyond its own size or raise anything but an Exception.
//
// Input: byte 0 picks the form: even, a table-form pack attached as a stream; odd, the
// container file of chunked part 1, beside which a few split data and entry files exist.
// The rest is the part's bytes.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

#include "hal/services/ModulePath.h"
#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackExtension.h"
#include "src/kv/kv_Resources.h"
#include "tests/vm/TestRuntime.h"
#include "tools/packwriter/PackWriter.h"

namespace {

using kv::Resources;
using ByteArray = VMArray<int8_t, 1>;

std::string& folderRoot() {
    static std::string root = std::filesystem::temp_directory_path() / ("ostrel_pack_fuzz_" + std::to_string(getpid()));
    return root;
}

std::string resourceFolder() {
    static const std::string folder = [] {
        const std::string& root = folderRoot();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folderRoot(), ignored);
        });
        HAL_setModuleDirectory(root.c_str());
        const std::string rsc = root + "/rsc";
        for (int32_t file = 1; file <= 3; ++file) {
            packwriter::writeFile(rsc, packwriter::fileName(1, file), packwriter::Bytes(size_t(file * 8), uint8_t(file)));
            packwriter::writeFile(rsc, packwriter::fileName(1, file, "png"), packwriter::Bytes(16, 0x89));
        }
        return rsc;
    }();
    return folder;
}

template <typename Call> void tolerate(Call call) {
    try {
        call();
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> expected(caught);
    }
}

// Every accessor for each id the open table holds, and for the first id past it and id
// 1023 (ids past the table all take the same path). A part that does not open is asked once:
// every access retries the open the same way.
void visitEntries(int32_t part) {
    for (int32_t index = 0; index < 1024; ++index) {
        const int32_t count = Resources::pack->sizes ? Resources::pack->sizes->length : 0;
        if (index > count && index != 1023) continue;
        const int32_t id = part << 10 | index;
        tolerate([&] { Resources::getSize(id); });
        tolerate([&] { Resources::getType(id); });
        tolerate([&] { Resources::getOffset(id); });
        tolerate([&] { Resources::getData(id); });
        tolerate([&] { Resources::getStream(id); });
        tolerate([&] { Resources::getPackData(id); });
        tolerate([&] { Resources::pack->getFileName(id); });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VM* vm = testRuntime(1 << 20, 64ull << 20);
    static uint32_t runs = 0;
    if (size == 0) return 0;
    const std::string rsc = resourceFolder();
    VMPtr<ByteArray> bytes = ByteArray::_VM_new(int32_t(size - 1));
    for (size_t i = 1; i < size; ++i) bytes->elements()[i - 1] = int8_t(data[i]);
    if ((data[0] & 1) == 0) {
        tolerate([&] { Resources::attachStream(Resources::createStream(bytes, 0, bytes->length)); });
        visitEntries(0);
    } else {
        packwriter::writeFile(rsc, packwriter::fileName(1, 0), packwriter::Bytes(data + 1, data + size));
        Resources::closePack();
        visitEntries(1);
    }
    Resources::closePack();
    if (++runs % 256 == 0) vm->collect();
    return 0;
}
