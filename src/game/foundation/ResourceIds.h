#pragma once

// What the game's code knows of its resource ids beyond their names: which table serves
// which language index, which font which role, which music which scene. The ids themselves
// come from the content compiler's header (content/ContentIds.h), so no scene writes a bare
// number for a resource.

#include <cstdint>

#include "content/ContentIds.h"

namespace res {

// The text tables of the five languages, by language index 0 to 4.
constexpr int32_t kTranslations[5] = {content::res::TEXTS_ENGLISH, content::res::TEXTS_GERMAN,
                                      content::res::TEXTS_FRENCH, content::res::TEXTS_SPANISH,
                                      content::res::TEXTS_ITALIAN};

// The glyph gob arrays of the two fonts: 0 titles and dialogs, 1 body text and entries.
constexpr int32_t kFontTitleGobs = content::res::FONT_TITLE;
constexpr int32_t kFontBodyGobs = content::res::FONT_BODY;

// Music (single-track MIDI): one piece per stage, played in its normal level, and one per
// boss level 1 to 5 (scenes 15 to 19). The tutorial plays the first stage's music.
constexpr int32_t kMusicStage[5] = {0x5000, 0x5001, 0x5002, 0x5003, 0x5004};
constexpr int32_t kMusicBoss[5] = {0x5010, 0x5011, 0x5012, 0x5013, 0x5014};

}  // namespace res

namespace scene_id {

constexpr int32_t kLogo = 0, kMenu = 1, kNormalLevel = 2, kAchievements = 3, kTutorial = 4, kAbout = 6,
                  kWorldMap = 7, kShop = 8, kLanguage = 9, kHelp = 10, kStory = 11, kResult = 12, kAudio = 13,
                  kOptions = 14, kBoss1 = 15, kBoss5 = 19, kGameOver = 20;

}  // namespace scene_id
