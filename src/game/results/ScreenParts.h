#pragma once

// What the result, game-over, shop and achievement screens share: loading a set with its
// gobs, reading a frame's boxes of one type, texts of the current language, the time line.

#include "pb_src/j2me/java_lang_String.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/HitTests.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"

namespace results {

using BoxArray = kv::Paintable::BoxArray;
using String = java::lang::String;

// Anchors of RichFont::drawString.
constexpr int32_t kCentre = 1, kLeft = 4;

// The set of `setId` drawing the gobs of `gobsId`; missing gobs are a load failure naming
// the id.
VMPtr<kv::AnimSet> loadAnimSet(int32_t setId, int32_t gobsId);
// `count` boxes filled with the frame's boxes of the type, unflipped, in its order: the
// scene's kept array at `place` (InGameObject::clearedBoxes), emptied before the fill.
VMPtr<BoxArray> boxesOf(ui::Scene& scene, int32_t place, const VMPtr<kv::Paintable>& frame, int32_t type, int32_t count);
// The box moved by (dx, dy) as left, top, width, height.
VMPtr<ui::Scene::Box> zoneOf(kv::graphics::CollisionBox* box, int32_t dx, int32_t dy);
// Font 0 (titles) or 1 (body text) of the game.
VMPtr<kv::util::text::RichFont> fontOf(ui::SceneManager& manager, int32_t index);
// Text `id` of the current language.
VMPtr<String> textOf(ui::SceneManager& manager, int32_t id);
// "hh:mm:ss", each value at least two digits.
VMPtr<String> timeText(int32_t hours, int32_t minutes, int32_t seconds);
// A panel screen's head: the title in font 0 on type-0 box 0, the time line under it, the
// verdict (when given) a line and a half below that, and the two choice labels on type-0
// boxes 1 and 2, drawn in that order. The panel is drawn at (120, 160). The time line is the
// scene's kept text 0.
void paintPanelHead(ui::Scene& scene, ui::SceneManager& manager, const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::Frame>& panel,
                    int32_t titleId, const VMPtr<VMArray<int8_t, 1>>& progress, const VMPtr<String>& verdict, int32_t firstLabel,
                    int32_t secondLabel);
// The type-3 zone (0 or 1) of the panel at (120, 160) that holds the point, or -1.
int32_t panelZoneAt(ui::Scene& scene, const VMPtr<kv::Frame>& panel, int32_t x, int32_t y);
// A panel screen whole: the screen cleared to black, backdrop frames 0 and 12, the panel at
// (120, 160) and its head (paintPanelHead).
void paintPanelScreen(ui::Scene& scene, ui::SceneManager& manager, const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::AnimSet>& backgroundSet,
                      const VMPtr<kv::Frame>& panel, int32_t titleId, const VMPtr<VMArray<int8_t, 1>>& progress,
                      const VMPtr<String>& verdict, int32_t firstLabel, int32_t secondLabel);
// The panel choice the keys ask for: 0 (actions 19 or 1), 1 (actions 20 or 3), or -1.
int32_t panelChoiceOfKeys(ui::SceneManager& manager);
// The panel choice under the pointer's last event, of any type: 0, 1, or -1.
int32_t panelChoiceOfPointer(ui::Scene& scene, const VMPtr<kv::Frame>& panel);
// The back button of the shop set: a player of the animation, placed at (120, 160).
VMPtr<kv::AnimPlayer> newBackPlayer(const VMPtr<kv::AnimSet>& shopSet, int32_t animation);
// Whether the point lies in the back button's current collision box.
bool isOnBackButton(ui::Scene& scene, const VMPtr<kv::AnimPlayer>& backPlayer, int32_t x, int32_t y);

}  // namespace results
