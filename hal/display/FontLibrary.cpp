#include "hal/display/FontLibrary.h"

#include <cstdlib>
#include <ft2build.h>
#include FT_FREETYPE_H

FT_LibraryRec_* FontLibrary::engine_ = nullptr;
int FontLibrary::openFaces_ = 0;

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::string FontLibrary::fileName(const std::string& faceName, bool italic) {
    const bool bold = endsWith(faceName, " Bold");
    const std::string family = faceName.rfind("Courier New", 0) == 0 ? "DejaVuSansMono" : "DejaVuSans";
    if (!bold && !italic) return family + ".ttf";
    return family + "-" + (bold ? "Bold" : "") + (italic ? "Oblique" : "") + ".ttf";
}

std::string FontLibrary::folder() {
    const char* chosen = std::getenv(kFolderVariable);
    return chosen != nullptr && *chosen != '\0' ? chosen : kDefaultFolder;
}

bool FontLibrary::startEngine() {
    if (engine_ == nullptr && FT_Init_FreeType(&engine_) != 0) engine_ = nullptr;
    return engine_ != nullptr;
}

FT_FaceRec_* FontLibrary::openFace(const std::string& faceName, bool italic) {
    if (!startEngine()) return nullptr;
    const std::string path = folder() + "/" + fileName(faceName, italic);
    FT_Face face = nullptr;
    if (FT_New_Face(engine_, path.c_str(), 0, &face) != 0 || !FT_IS_SCALABLE(face)) {
        if (face != nullptr) FT_Done_Face(face);
        shutdownIfUnused();
        return nullptr;
    }
    ++openFaces_;
    return face;
}

void FontLibrary::closeFace(FT_FaceRec_* face) {
    if (face == nullptr) return;
    FT_Done_Face(face);
    --openFaces_;
}

void FontLibrary::shutdownIfUnused() {
    if (engine_ == nullptr || openFaces_ > 0) return;
    FT_Done_FreeType(engine_);
    engine_ = nullptr;
}
