#pragma once

// The content compiler: reads the manifest content/content.json (the picture descriptions,
// the fonts, the texts, the audio and the requirements), builds every resource, checks
// what the game's code relies on, and writes the pack parts and the id header.

#include <map>
#include <string>
#include <vector>

#include "tools/contentc/Audio.h"
#include "tools/contentc/Descriptions.h"
#include "tools/contentc/GlyphFonts.h"
#include "tools/contentc/Texts.h"

namespace contentc {

struct Content {
    std::vector<PictureSet> pictures;
    std::vector<GlyphFont> fonts;
    TextCatalogue texts;
    std::vector<Blob> audio;
};

// One pack entry before it is written.
struct Resource {
    int32_t id = 0;
    int8_t type = -1;
    std::string name, kind, source;
    Bytes bytes;
};

struct Options {
    std::string contentDir;
    std::string outputDir;  // the rsc folder
    std::string headerFile;
    std::string fontDir = "/usr/share/fonts/truetype/dejavu";
    std::string workDir;  // temporary files (abc2midi output)
};

Content readContent(const Options& options);
// Every resource by id; two resources of one id or one name are an error naming both.
std::map<int32_t, Resource> collectResources(const Content& content);
// The requirements file against the content: ids, kinds, names, animations, frames, boxes.
void checkRequirements(const std::string& file, const Content& content, const std::map<int32_t, Resource>& resources);
// Every character of every text exists in every font.
void checkCoverage(const Content& content);
// The header of named constants for resource and text ids.
std::string idHeader(const std::map<int32_t, Resource>& resources, const TextCatalogue& texts);
// Writes the parts into the folder (removing pack files it did not write).
void writeParts(const std::string& folder, const std::map<int32_t, Resource>& resources);

// All of it; returns the number of resources written.
size_t compile(const Options& options);

}  // namespace contentc
