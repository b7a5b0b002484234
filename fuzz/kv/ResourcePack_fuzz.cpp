// Reads arbitrary bytes as a resource pack part and calls every accessor over the ids its
// table declares: no input may crash, allocate beyond its own size or the pack length
// ceiling, or raise anything but an Exception.
//
// Input: byte 0's low two bits pick the form: 0, a table-form pack attached as a stream,
// whose bytes after the pack are read as its extension block; 1, the container file of
// chunked part 1; 2, the table-form file of part 17, opened by name; 3, as 0 through a
// buffering stream whose available() counts only its buffered bytes. The rest is the
// part's bytes. Beside the part lie a small
// paletted PNG as split file 1 and as the directory's entry files 1 to 3 (".rp" and ".png"),
// and two plain split files 2 and 3 of 16 and 24 bytes.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "hal/services/ModulePath.h"
#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "src/kv/io/kv_io_FastInputStream.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackExtension.h"
#include "src/kv/kv_Resources.h"
#include "tests/support/PngWriter.h"
#include "tests/vm/TestRuntime.h"
#include "tools/packwriter/PackWriter.h"

namespace {

using kv::Resources;
using ByteArray = VMArray<int8_t, 1>;

// Collecting after every input frees the images and buffers it made, so no input ends with
// more allocations than frees and the leak checker never has to scan the heap (which costs
// far more than the collection).
constexpr uint32_t kRunsPerCollection = 1;

std::string& folderRoot() {
    static std::string root = std::filesystem::temp_directory_path() / ("ostrel_pack_fuzz_" + std::to_string(getpid()));
    return root;
}

// A 2 x 2 picture of 4 palette colours, one of them transparent.
packwriter::Bytes palettePng() {
    png_writer::Picture picture;
    picture.width = picture.height = 2;
    picture.colorType = png_writer::kPalette;
    picture.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    picture.transparency = {255, 0};
    picture.samples = {0, 1, 2, 3};
    return png_writer::encode(picture);
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
        const packwriter::Bytes png = palettePng();
        packwriter::writeFile(rsc, packwriter::fileName(1, 1), png);
        for (int32_t file = 2; file <= 3; ++file)
            packwriter::writeFile(rsc, packwriter::fileName(1, file), packwriter::Bytes(size_t(file * 8), uint8_t(file)));
        for (int32_t file = 1; file <= 3; ++file) packwriter::writeFile(rsc, packwriter::fileName(1, file, "png"), png);
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

// Every accessor for each id the open table declares and for the first id past it. A part
// that does not open is asked once: every access would retry the open the same way.
void visitEntries(int32_t part, const VMPtr<ByteArray>& palette) {
    auto* pack = dynamic_cast<kv::io::resource::ResourcePackExtension*>(Resources::pack.get());
    tolerate([&] { Resources::getSize(part << 10); });
    if (!pack->sizes) return;
    const int32_t count = std::min(pack->sizes->length, 1023);
    for (int32_t index = 0; index <= count; ++index) {
        const int32_t id = part << 10 | index;
        tolerate([&] { Resources::getSize(id); });
        tolerate([&] { Resources::getType(id); });
        tolerate([&] { Resources::getOffset(id); });
        tolerate([&] { Resources::getData(id); });
        tolerate([&] { Resources::getStream(id); });
        tolerate([&] { Resources::getPackData(id); });
        tolerate([&] { Resources::pack->getFileName(id); });
        tolerate([&] { Resources::getImage(id); });
        tolerate([&] { Resources::getImage(id, palette); });
        tolerate([&] { Resources::getPalette(id); });
        tolerate([&] { Resources::getTransparentIndex(id); });
        tolerate([&] { pack->getExtensionData(id); });
        tolerate([&] { pack->getExtensionStream(id); });
        tolerate([&] { pack->getExtensionSize(id); });
    }
}

// A data stream over in through a FastInputStream.
VMPtr<java::io::DataInputStream> buffered(const VMPtr<java::io::DataInputStream>& in) {
    VMPtr<kv::io::FastInputStream> fast = kv::io::FastInputStream::_VM_new();
    fast->_VM_init(in);
    VMPtr<java::io::DataInputStream> stream = java::io::DataInputStream::_VM_new();
    return stream->_VM_init(fast);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VM* vm = testRuntime(1 << 20, 64ull << 20);
    static uint32_t runs = 0;
    if (size == 0) return 0;
    const std::string rsc = resourceFolder();
    VMPtr<ByteArray> bytes = ByteArray::_VM_new(int32_t(size - 1));
    for (size_t i = 1; i < size; ++i) bytes->elements()[i - 1] = int8_t(data[i]);
    VMPtr<ByteArray> palette = ByteArray::_VM_new(16);
    for (int32_t i = 0; i < palette->length; ++i) palette->elements()[i] = int8_t(i * 29);
    const packwriter::Bytes part(data + 1, data + size);
    switch (data[0] & 3) {
    case 0:
    case 3: {
        VMPtr<java::io::DataInputStream> in = Resources::createStream(bytes, 0, bytes->length);
        if (data[0] & 1) in = buffered(in);
        tolerate([&] {
            if (Resources::attachStream(in)) Resources::pack->readExtension(in);
        });
        visitEntries(0, palette);
        break;
    }
    case 2:
        packwriter::writeFile(rsc, packwriter::fileName(17), part);
        Resources::closePack();
        visitEntries(17, palette);
        break;
    default:
        packwriter::writeFile(rsc, packwriter::fileName(1, 0), part);
        Resources::closePack();
        visitEntries(1, palette);
    }
    Resources::closePack();
    if (++runs % kRunsPerCollection == 0) vm->collect();
    return 0;
}
