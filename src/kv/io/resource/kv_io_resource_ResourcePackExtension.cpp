#include "src/kv/io/resource/kv_io_resource_ResourcePackExtension.h"

#include "src/kv/io/resource/PackInput.h"
#include "src/kv/kv_Resources.h"
#include "pb_src/j2me/java_lang_System.h"

namespace kv::io::resource {

VM_DEFINE_CLASS(ResourcePackExtension, "kv.io.resource.ResourcePackExtension", "kv.io.resource.ResourcePack",
                VM_NO_CLINIT)

void ResourcePackExtension::clearExtension() {
    extensionSizes = nullptr;
    extensionData = nullptr;
}

void ResourcePackExtension::readExtension(VMPtr<DataInputStream> in) {
    const int32_t n = sizes ? sizes->length : 0;
    VMPtr<ByteArray> raw = readExactly(in, n * 2);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(raw->elements());
    VMPtr<CharArray> entrySizes = CharArray::_VM_new(n);
    int64_t total = 0;
    for (int32_t i = 0; i < n; ++i) {
        const char16_t size = char16_t((bytes[2 * i] << 8) | bytes[2 * i + 1]);
        entrySizes->elements()[i] = size;
        total += size;
    }
    checkLength(total);
    // The sizes and their data block replace the old ones together, before the block is
    // read: a block that ends early leaves the new sizes over the new (partly read) bytes.
    extensionSizes = entrySizes;
    extensionData = ByteArray::_VM_new(int32_t(total));
    in->readFully(extensionData);
}

int32_t ResourcePackExtension::getExtensionOffset(int32_t index) {
    int32_t offset = 0;
    for (int32_t i = 0; i < index; ++i) offset += extensionSizes->elements()[i];
    return offset;
}

VMPtr<ResourcePack::ByteArray> ResourcePackExtension::getExtensionData(int32_t id) {
    ensureLoaded(id);
    if (!extensionData) return nullptr;
    const int32_t index = id & 0x3FF;
    const int32_t size = extensionSizes->at(index);
    VMPtr<ByteArray> copy = ByteArray::_VM_new(size);
    java::lang::System::arraycopy(extensionData, getExtensionOffset(index), copy, 0, size);
    return copy;
}

VMPtr<ResourcePack::DataInputStream> ResourcePackExtension::getExtensionStream(int32_t id) {
    ensureLoaded(id);
    if (!extensionData) return nullptr;
    const int32_t index = id & 0x3FF;
    const int32_t size = extensionSizes->at(index);
    return kv::Resources::createStream(extensionData, getExtensionOffset(index), size);
}

int32_t ResourcePackExtension::getExtensionSize(int32_t id) {
    ensureLoaded(id);
    if (!extensionData) return -1;
    return extensionSizes->at(id & 0x3FF);
}

bool ResourcePackExtension::hasExtension() { return !extensionData.isNull(); }

}  // namespace kv::io::resource
