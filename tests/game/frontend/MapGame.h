#pragma once

// The world map in the real application on the compiled content: the driver with the
// resource folder in place, saved progress written as a test needs it, the map opened as the
// menu opens it, and its zones aimed at by their centres in the compiled boxes.

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "src/game/frontend/scene_WorldMap.h"
#include "tests/game/support/GameDriver.h"
#include "tests/game/support/TouchPlay.h"
#include "tests/kv/AnimSupport.h"

namespace map_test {

using namespace game_test;

// Record 1 with the first `open` stages open, the marks and best times (h, m, s) given.
inline std::vector<int8_t> progress(int open, std::vector<int8_t> marks = {-1, -1, -1, -1, -1},
                                    std::vector<std::array<int8_t, 3>> times = {}) {
    std::vector<int8_t> record(25, 0);
    for (size_t i = 0; i < 5; ++i) {
        record[i] = int(i) < open ? 1 : 0;
        record[5 + i] = marks[i];
    }
    for (size_t i = 0; i < times.size(); ++i)
        for (size_t k = 0; k < 3; ++k) record[10 + 5 * k + i] = times[i][k];
    return record;
}

class MapGame : public GameDriver {
public:
    MapGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    // Writes record 1 and the tutorial flag (booting first when nothing runs yet), then
    // opens the map and lets it load.
    void openMap(const std::vector<int8_t>& stages, int8_t tutorialDone = 0) {
        if (manager().getScene().isNull()) start();
        writeRecord(1, stages);
        std::vector<int8_t> first = record(0);
        first[1] = tutorialDone;
        writeRecord(0, first);
        openMap();
    }
    void openMap() {
        manager().changeScene(7);
        frames(17);  // ready on the sixteenth, the arrows chosen on the next
    }
    scene::WorldMap& map() { return *dynamic_cast<scene::WorldMap*>(manager().getScene().get()); }
    bool asked(int32_t id) { return std::find(askedScenes.begin(), askedScenes.end(), id) != askedScenes.end(); }

    Point nextZone() { return centreOf(*map().topBar, 0, 0, 0, map().topBar->getHeight(0) / 2); }
    Point previousZone() { return centreOf(*map().topBar, 0, 1, 0, map().topBar->getHeight(0) / 2); }
    Point menuZone() { return centreOf(*map().bottomBar, 0, 0, 120, 320); }
    Point startZone() { return centreOf(*map().bottomBar, 0, 1, 120, 320); }
    Point centreZone(int32_t i) { return centreOf(*map().centrePlayer, 0, i, 120, 160); }
    // A tap, and frames for its press and release (or more).
    void tapAt(Point p, int frameCount = 2) {
        tap(p.x, p.y);
        frames(frameCount);
    }
};

}  // namespace map_test
