#pragma once

// The real application over the compiled content with test scenes standing in for the
// scenes around the result, game-over, shop and achievement screens (start, level, map,
// story, bosses), and the steps the screens' tests share: show a scene, tap a zone's
// centre read from the compiled boxes, read the saved records, save the frame.

#include <filesystem>
#include <string>
#include <vector>

#include "src/game/results/scene_Achievement.h"
#include "src/game/results/scene_GameOver.h"
#include "src/game/results/scene_Result.h"
#include "src/game/results/scene_Shop.h"
#include "tests/game/support/GameDriver.h"
#include "src/game/objects/HitTests.h"

namespace results_test {

using namespace game_test;
using Bytes = std::vector<int8_t>;

class ResultsGame : public GameDriver {
public:
    ResultsGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        for (int32_t id : {0, 2, 7, 11, 15, 16, 17, 18, 19}) useScene(id);
    }

    // Asks for the scene and runs its sixteen loading frames and one shown frame.
    void show(int32_t id) {
        manager().changeScene(id);
        frames(17);
    }
    template <typename S> S& scene() { return *dynamic_cast<S*>(manager().getScene().get()); }

    // A tap at the centre of the box, given in game-area coordinates, then two frames for
    // the press and the release.
    void tapBox(kv::graphics::CollisionBox* box, int32_t dx, int32_t dy) {
        tap(manager().getGameX() + box->x + dx + box->width / 2, manager().getGameY() + box->y + dy + box->height / 2);
        frames(2);
    }
    // Box i of the type in the frame, drawn at (dx, dy).
    void tapFrameBox(const VMPtr<kv::Paintable>& frame, int32_t type, int32_t i, int32_t dx, int32_t dy) {
        VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(i + 1);
        frame->getCollisionBoxes(0, boxes, type);
        tapBox(boxes->at(i), dx, dy);
    }
    // The result or game-over panel's zone 0 (continue or map) or 1 (next or retry).
    void tapPanelZone(const VMPtr<kv::Frame>& panel, int32_t zone) { tapFrameBox(panel, 3, zone, 120, 160); }

    // The stored bytes; none when the record was never written.
    Bytes record(int32_t slot) {
        VMPtr<VMArray<int8_t, 1>> r = manager().loadRecord(slot);
        return r ? Bytes(r->elements(), r->elements() + r->length) : Bytes{};
    }
    void writeRecord(int32_t slot, const Bytes& bytes) {
        VMPtr<VMArray<int8_t, 1>> r = VMArray<int8_t, 1>::_VM_new(int32_t(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), r->elements());
        manager().saveRecord(slot, r);
    }
    // The frame in every language, as <name>_<language>.png in results_frames/.
    void shoot(const std::string& name) {
        std::filesystem::create_directories("results_frames");
        const int32_t language = manager().languageIndex;
        for (int32_t i = 0; i < 5; ++i) {
            manager().languageIndex = i;
            frames(1);
            savePng("results_frames/" + name + "_" + std::to_string(i) + ".png");
        }
        manager().languageIndex = language;
        frames(1);
    }
};

}  // namespace results_test
