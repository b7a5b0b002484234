#pragma once

// kv::io::resource::ResourcePackExtension: a resource pack that can carry, beside each entry
// of the open part, an optional block of extension bytes. Closing or switching parts drops
// the block; without one the accessors give null or -1.

#include "lib_src/vm/VMArray.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePack.h"

namespace kv::io::resource {

class ResourcePackExtension : public ResourcePack {
    VM_CLASS(ResourcePackExtension, ResourcePack)
    using CharArray = VMArray<char16_t, 1>;

    VMPtr<ResourcePackExtension> _VM_init() {
        ResourcePack::_VM_init();
        return this;
    }

    void clearExtension() override;
    // Reads n u16 extension sizes (n = the open table's entry count), then their bytes.
    void readExtension(VMPtr<DataInputStream> in) override;
    virtual VMPtr<ByteArray> getExtensionData(int32_t id);
    virtual VMPtr<DataInputStream> getExtensionStream(int32_t id);
    virtual int32_t getExtensionSize(int32_t id);
    virtual bool hasExtension();

    void _VM_mark(uint32_t flags) override {
        ResourcePack::_VM_mark(flags);
        vmMarkField(extensionData, flags);
        vmMarkField(extensionSizes, flags);
    }

    VMPtr<ByteArray> extensionData{vmField()};
    VMPtr<CharArray> extensionSizes{vmField()};

private:
    int32_t getExtensionOffset(int32_t index);
};

}  // namespace kv::io::resource
