#pragma once

// The font engine (FreeType) and the font files standing in for the phone's system fonts:
// DejaVu Sans for "Tahoma" and for any face name it does not know (the system substitutes
// its default face for unknown names), DejaVu Sans Mono for "Courier New". A face name
// ending in " Bold" picks the bold file; the italic flag picks the oblique one. The files
// are looked for in the folder named by OSTREL_FONT_DIR when it is set, otherwise in
// /usr/share/fonts/truetype/dejavu/. A missing or unreadable file gives no face, never a
// substitute.
//
// Used under the runtime lock only: FreeType's library object is not thread-safe.

#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;

class FontLibrary {
public:
    static constexpr const char* kFolderVariable = "OSTREL_FONT_DIR";
    static constexpr const char* kDefaultFolder = "/usr/share/fonts/truetype/dejavu";

    // The face for the name and flag, or null (file missing, not a font, engine failure).
    static FT_FaceRec_* openFace(const std::string& faceName, bool italic);
    static void closeFace(FT_FaceRec_* face);
    // Ends the engine when no face is open; a later openFace starts it again.
    static void shutdownIfUnused();

    // The file (without its folder) a face name and flag map to.
    static std::string fileName(const std::string& faceName, bool italic);
    static std::string folder();
    static int openFaceCount() { return openFaces_; }

private:
    static bool startEngine();

    static FT_LibraryRec_* engine_;
    static int openFaces_;
};
