#include "pb_src/j2me/javax_microedition_media_Manager.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/com_kelvane_ostrel_media_Player.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"

namespace javax::microedition::media {

VM_DEFINE_CLASS(Manager, "javax.microedition.media.Manager", "java.lang.Object", &Manager::_VM_clinit)

VMPtr<::java::lang::String> Manager::MIDI_DEVICE_LOCATOR{VMStaticScope::instance()};
VMPtr<::java::lang::String> Manager::TONE_DEVICE_LOCATOR{VMStaticScope::instance()};

namespace {

struct Named {
    int32_t kind;
    const char* name;
};

constexpr Named kContentTypes[] = {{2, "audio/x-wav"}, {3, "audio/x-caf"},    {4, "audio/mpeg"},
                                   {5, "audio/aac"},   {6, "audio/midi"},     {7, "audio/mp4"},
                                   {8, "audio/x-ms-wma"}, {11, "audio/vnd.qcelp"}};
constexpr Named kProtocols[] = {{2, "device"}, {3, "http"}, {4, "file"}, {5, "x-jar"}};

// 1 for null, the table's kind for an exact match, else 0.
template <size_t N> int32_t kindOf(const VMPtr<::java::lang::String>& text, const Named (&table)[N]) {
    if (!text) return 1;
    for (const Named& entry : table)
        if (text->_VM_equals(entry.name)) return entry.kind;
    return 0;
}

}  // namespace

void Manager::_VM_clinit() {
    MIDI_DEVICE_LOCATOR = VMPtr<String>::fromLiteral("device://midi");
    TONE_DEVICE_LOCATOR = VMPtr<String>::fromLiteral("device://tone");
}

VMPtr<Player> Manager::createPlayer(VMPtr<String> locator) {
    vm::ensureInitialized(_VM_classRecord);
    if (!locator) vm::throwNew<::java::lang::IllegalArgumentException>(VMPtr<String>::fromLiteral("Manager.createPlayer passed null locator"));
    return com::kelvane::ostrel::media::Player::_VM_new()->_VM_init(locator);
}

VMPtr<Player> Manager::createPlayer(VMPtr<VMArray<int8_t, 1>> data, int32_t offset, int32_t length, VMPtr<String> contentType) {
    vm::ensureInitialized(_VM_classRecord);
    return com::kelvane::ostrel::media::Player::_VM_new()->_VM_init(data, offset, length, contentType);
}

int32_t Manager::getKindForContentType(VMPtr<String> contentType) { return kindOf(contentType, kContentTypes); }

int32_t Manager::getProtocolKind(VMPtr<String> protocol) { return kindOf(protocol, kProtocols); }

int32_t Manager::getLocatorProtocolKind(VMPtr<String> locator) {
    const int32_t colon = locator ? locator->indexOf(':') : -1;
    return colon < 0 ? 0 : getProtocolKind(locator->substring(0, colon));
}

VMPtr<::java::lang::String> Manager::getLocatorRemainder(VMPtr<String> locator) {
    const int32_t colon = locator ? locator->indexOf(':') : -1;
    return colon < 0 ? nullptr : locator->substring(colon + 1);
}

VMPtr<::java::lang::String> Manager::getContentTypeForKind(int32_t kind) {
    for (const Named& entry : kContentTypes)
        if (entry.kind == kind) return VMPtr<String>::fromLiteral(entry.name);
    return nullptr;
}

}  // namespace javax::microedition::media
