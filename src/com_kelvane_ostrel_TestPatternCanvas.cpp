#include "src/com_kelvane_ostrel_TestPatternCanvas.h"

namespace com::kelvane::ostrel {

VM_DEFINE_CLASS(TestPatternCanvas, "com.kelvane.ostrel.TestPatternCanvas", "javax.microedition.lcdui.game.GameCanvas",
                VM_NO_CLINIT)

namespace {

constexpr int32_t kBars = 6;
// Which of red, green and blue each bar shows.
constexpr int32_t kBarChannels[kBars] = {0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF};

// The bar's colour at the given brightness (0 to 255).
int32_t shade(int32_t channels, int32_t brightness) { return channels & (brightness * 0x010101); }

}  // namespace

VMPtr<TestPatternCanvas> TestPatternCanvas::_VM_init() {
    GameCanvas::_VM_init(false);
    setFullScreenMode(true);
    return this;
}

void TestPatternCanvas::showNotify() { drawPattern(); }

void TestPatternCanvas::drawPattern() {
    VMPtr<Graphics> g = getGraphics();
    const int32_t width = getWidth(), height = getHeight();
    for (int32_t bar = 0; bar < kBars; ++bar) {
        const int32_t left = bar * width / kBars, right = (bar + 1) * width / kBars;
        g->fillGradient(left, 0, right - left, height, shade(kBarChannels[bar], 255), shade(kBarChannels[bar], 55), false);
    }
    flushGraphics();
}

}  // namespace com::kelvane::ostrel
