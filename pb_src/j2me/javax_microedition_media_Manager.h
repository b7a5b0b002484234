#pragma once

// javax::microedition::media::Manager: builds players from locators ("file:" and "x-jar:"
// only) and from regions of byte arrays (no type, "audio/x-wav" and "audio/midi"), and maps
// content types and locator protocols to the codes the platform uses. Type and protocol
// matching is exact and case-sensitive. No instances.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_media_Player.h"

namespace javax::microedition::media {

class Manager : public virtual ::java::lang::Object {
    VM_CLASS(Manager, ::java::lang::Object)
    using String = ::java::lang::String;

    static VMPtr<String> MIDI_DEVICE_LOCATOR;
    static VMPtr<String> TONE_DEVICE_LOCATOR;
    static void _VM_clinit();

    // IllegalArgumentException for a null locator; MediaException for a source the platform
    // cannot read.
    static VMPtr<Player> createPlayer(VMPtr<String> locator);
    // NullPointerException, ArrayIndexOutOfBoundsException for a region outside the array
    // (an empty one included), MediaException for a type the platform cannot play. The
    // array is held, not copied, until the player is realized.
    static VMPtr<Player> createPlayer(VMPtr<VMArray<int8_t, 1>> data, int32_t offset, int32_t length,
                                      VMPtr<String> contentType);

    // Media kinds: 1 for null, 2 to 8 and 11 for the known types, 0 for any other.
    static int32_t getKindForContentType(VMPtr<String> contentType);
    // Source kinds: 1 for null, 2 "device", 3 "http", 4 "file", 5 "x-jar", 0 for any other.
    static int32_t getProtocolKind(VMPtr<String> protocol);
    // The source kind of the text before the first ':', 0 when there is no ':'.
    static int32_t getLocatorProtocolKind(VMPtr<String> locator);
    // The text after the first ':', or null.
    static VMPtr<String> getLocatorRemainder(VMPtr<String> locator);
    // The type of kinds 2 to 8 and 11, null for any other.
    static VMPtr<String> getContentTypeForKind(int32_t kind);
};

}  // namespace javax::microedition::media
