// The boot class until the MIDP profile exists: it shows a test pattern in a canvas so the
// window, the screen buffer and the frame copy can be seen working. The application
// manager of the profile replaces it under the same name.

#include <cstdint>

#include "hal/display/Displays.h"
#include "hal/display/HALDisplayable.h"
#include "hal/display/HALScreenBuffer.h"
#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_Class.h"

namespace com::kelvane::ostrel {

class AMS : public virtual java::lang::Object {
    VM_CLASS(AMS, java::lang::Object)
    static void main(VMPtr<VMArray<java::lang::String*, 1>> arguments);
};

}  // namespace com::kelvane::ostrel

VM_DEFINE_CLASS(com::kelvane::ostrel::AMS, "com.kelvane.ostrel.AMS", "java.lang.Object", VM_NO_CLINIT)
VM_MAIN_METHOD(com::kelvane::ostrel::AMS)

namespace com::kelvane::ostrel {

namespace {

uint16_t rgb565(int red, int green, int blue) { return uint16_t(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3)); }

// Colour bars over a vertical gradient.
void drawTestPattern(HALSurface* surface) {
    for (int32_t y = 0; y < surface->height; ++y) {
        for (int32_t x = 0; x < surface->width; ++x) {
            const int bar = x * 6 / surface->width;
            const int shade = 255 - y * 200 / surface->height;
            const int red = (bar == 0 || bar == 1 || bar == 5) ? shade : 0;
            const int green = (bar == 1 || bar == 2 || bar == 3) ? shade : 0;
            const int blue = (bar == 3 || bar == 4 || bar == 5) ? shade : 0;
            surface->row(y)[x] = rgb565(red, green, blue);
        }
    }
}

}  // namespace

void AMS::main(VMPtr<VMArray<java::lang::String*, 1>>) {
    // A canvas owned by the boot class itself, shown for the life of the program.
    static HALDisplayable* canvas = nullptr;
    static HALScreenBuffer* buffer = nullptr;
    HAL_createCanvas(&canvas, _VM_getClass());
    HAL_createScreenBuffer(canvas, &buffer);
    drawTestPattern(buffer->surface);
    HAL_setCurrentDisplayable(canvas);
    HAL_flushScreenBuffer(buffer);
}

}  // namespace com::kelvane::ostrel
