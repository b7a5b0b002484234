#pragma once

// javax::microedition::lcdui::Graphics: the profile's drawing context over a platform
// context (a screen buffer, a mutable image or a paint request's context). It keeps the
// translation, the clip in surface coordinates, the colour with a separate alpha, the font
// and the stroke style, checks every argument and hands each primitive to the platform in
// surface coordinates.
//
// Guarantees:
// - Coordinate and range arithmetic is done in 64 bits: a translated coordinate that leaves
//   the 32-bit range is saturated, never wrapped onto the surface, and no range check can be
//   passed by an overflowing sum.
// - The clip always lies within the surface; clip edges and the surface size fit 15 bits.
// - The platform context always holds the colour word rgb | alpha << 24, the font and the
//   stroke style that the object reports, once resetState(true) or any setter has run.
// - The Graphics owns its platform context and deletes it when collected; the image it
//   draws on is a marked reference, so the image outlives it.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/javax_microedition_lcdui_Font.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"

class HALGraphics;
class HALScreenBuffer;

namespace java::lang {
class String;
}

namespace javax::microedition::lcdui {

class Graphics : public virtual ::java::lang::Object {
    VM_CLASS(Graphics, ::java::lang::Object)

    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t HCENTER = 1;
    static constexpr int32_t VCENTER = 2;
    static constexpr int32_t LEFT = 4;
    static constexpr int32_t RIGHT = 8;
    static constexpr int32_t TOP = 16;
    static constexpr int32_t BOTTOM = 32;
    static constexpr int32_t BASELINE = 64;
    static constexpr int32_t SOLID = 0;
    static constexpr int32_t DOTTED = 1;

    // A Graphics over a paint request's platform context (owned from now on), w by h.
    VMPtr<Graphics> _VM_init(HALGraphics* context, int32_t w, int32_t h);
    // A Graphics over the whole screen buffer; fatal when the platform cannot make one.
    static VMPtr<Graphics> createGraphicsWithScreenBuffer(HALScreenBuffer* screenBuffer);
    // A Graphics drawing on the mutable image; NullPointerException for null.
    static VMPtr<Graphics> _VM_newForImage(VMPtr<Image> img);
    ~Graphics() override;
    void _VM_mark(uint32_t flags) override;

    // Surface size w by h (each masked to 15 bits), translation 0,0, clip the whole surface.
    void setSize(int32_t w, int32_t h);
    // Default font, black, alpha 255, solid stroke, render mode 0; with push, the platform
    // context is given the same font, stroke and colour.
    void resetState(bool push);

    // Anchor validity: 0 and TOP|LEFT, or exactly one vertical and one horizontal bit and
    // none of disallowed.
    static bool isValidAnchor(int32_t anchor, int32_t disallowed);
    // Moves (x, y) from the anchor point to the top-left of a w by h box (swapped when the
    // transform turns by 90 degrees); false for a baseline or incomplete anchor.
    static bool applyAnchor(int64_t& x, int64_t& y, int32_t w, int32_t h, int32_t anchor, int32_t transform);

    virtual void translate(int32_t x, int32_t y);
    virtual int32_t getTranslateX();
    virtual int32_t getTranslateY();
    virtual int32_t getColor();
    virtual int32_t getRedComponent();
    virtual int32_t getGreenComponent();
    virtual int32_t getBlueComponent();
    virtual int32_t getGrayScale();
    virtual void setColor(int32_t rgbValue);
    virtual void setColor(int32_t red, int32_t green, int32_t blue);
    virtual void setGrayScale(int32_t value);
    virtual VMPtr<Font> getFont();
    virtual void setFont(VMPtr<Font> f);
    virtual int32_t getStrokeStyle();
    virtual void setStrokeStyle(int32_t style);
    virtual int32_t getClipX();
    virtual int32_t getClipY();
    virtual int32_t getClipWidth();
    virtual int32_t getClipHeight();
    virtual void clipRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void fillRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void drawRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH);
    virtual void fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH);
    virtual void fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);
    virtual void drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);
    virtual void drawString(const VMPtr<::java::lang::String>& s, int32_t x, int32_t y, int32_t anchor);
    virtual void drawSubstring(const VMPtr<::java::lang::String>& s, int32_t offset, int32_t len, int32_t x, int32_t y,
                               int32_t anchor);
    virtual void drawChar(char16_t c, int32_t x, int32_t y, int32_t anchor);
    virtual void drawChars(const VMPtr<CharArray>& data, int32_t offset, int32_t length, int32_t x, int32_t y,
                           int32_t anchor);
    virtual void drawImage(const VMPtr<Image>& img, int32_t x, int32_t y, int32_t anchor);
    // transform: the MIDP transform in bits 0-2, a blend type in bits 8-9.
    virtual void drawRegion(const VMPtr<Image>& img, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h,
                            int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor);
    virtual void copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                          int32_t anchor);
    virtual void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
    virtual void drawRGB(const VMPtr<IntArray>& data, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                         int32_t w, int32_t h, bool processAlpha);
    // 0x00RRGGBB as the 16-bit surface shows the colour.
    virtual int32_t getDisplayColor(int32_t color);
    virtual int32_t getARGBColor();
    virtual void setARGBColor(int32_t a, int32_t r, int32_t g, int32_t b);
    virtual void setARGBColor(int32_t argb);
    virtual int32_t getAlpha();
    virtual void setAlpha(int32_t a);
    virtual int32_t getRenderMode();
    virtual void setRenderMode(int32_t mode);
    virtual void fillGradient(int32_t x, int32_t y, int32_t w, int32_t h, int32_t color1, int32_t color2,
                              bool vertical);
    // A hook for platform drawing extensions; this platform has none.
    virtual void applyExtension(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);

    int16_t clipX1 = 0;
    int16_t clipY1 = 0;
    int16_t clipX2 = 0;
    int16_t clipY2 = 0;
    bool clipNarrowed = false;
    int16_t width = 0;
    int16_t height = 0;
    int32_t translateX = 0;
    int32_t translateY = 0;
    int32_t rgb = 0;
    int32_t alpha = 0;
    int32_t grey = 0;
    bool greyValid = false;
    int32_t strokeStyle = 0;
    VMPtr<Font> font{vmField()};
    int32_t renderMode = 0;
    HALGraphics* nativeContext = nullptr;  // owned
    VMPtr<Image> image{vmField()};

private:
    void createGraphicsWithImage(VMPtr<Image> img);
    void pushColor();
    void emptyClip();
    // The translated coordinate, saturated to 32 bits.
    int32_t surfaceX(int64_t x) const;
    int32_t surfaceY(int64_t y) const;
    // Places text by the anchor against the font and draws it.
    void drawText(const char16_t* chars, int32_t length, int32_t x, int32_t y, int32_t anchor);
};

}  // namespace javax::microedition::lcdui
