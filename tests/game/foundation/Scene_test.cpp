// The scene base's hit tests (both edges of a box are inside), its kept texts, and the
// configuration's refusal of a stage outside 0..4.

#include <string>
#include <tuple>
#include <vector>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/global_EnemyConfig.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/foundation/ui_Scene.h"
#include "tests/kv/KvTestSupport.h"

namespace {

TEST(Scene, APointOnAnyEdgeOfABoxIsInside) {
    testRuntime();
    VMPtr<ui::Scene> scene = ui::Scene::_VM_new();
    scene->_VM_init();
    VMPtr<ui::Scene::BoxList> boxes = ui::Scene::BoxList::_VM_new(2, 4);
    const int32_t values[2][4] = {{10, 20, 30, 40}, {100, 100, 0, 0}};
    for (int32_t b = 0; b < 2; ++b)
        for (int32_t i = 0; i < 4; ++i) boxes->at(b)->at(i) = values[b][i];
    const VMPtr<ui::Scene::Box> box(boxes->at(0));
    const std::vector<std::tuple<int32_t, int32_t, bool>> points = {
        {10, 20, true}, {40, 60, true}, {25, 40, true}, {9, 20, false}, {41, 60, false}, {40, 61, false}, {10, 19, false}};
    for (auto [x, y, inside] : points) EXPECT_EQ(scene->isPointInBox(x, y, box), inside) << x << "," << y;
    EXPECT_TRUE(scene->isPointInBoxes(100, 100, boxes)) << "an empty box holds its corner";
    EXPECT_FALSE(scene->isPointInBoxes(60, 60, boxes));
}

// A kept text is written only when its place is empty or its key differs (a new value, another
// language), and each place keeps its own.
TEST(Scene, AKeptTextIsWrittenAgainOnlyForAnotherKey) {
    testRuntime();
    VMPtr<ui::Scene> scene = ui::Scene::_VM_new();
    scene->_VM_init();
    std::vector<std::string> written;
    auto text = [&](int32_t place, const ui::Scene::TextKey& key) {
        return scene->keptText(place, key, [&] {
            const std::string made = std::to_string(place) + ":" + std::to_string(key[0]) + "," + std::to_string(key[1]);
            written.push_back(made);
            return java::lang::String::fromUtf8(made.c_str());
        })->toUtf8();
    };
    const std::vector<std::tuple<int32_t, ui::Scene::TextKey, std::string>> steps = {
        {0, {7, 0}, "0:7,0"}, {0, {7, 0}, "0:7,0"}, {1, {7, 0}, "1:7,0"}, {0, {7, 0}, "0:7,0"},
        {0, {7, 2}, "0:7,2"}, {0, {8, 2}, "0:8,2"}, {1, {7, 0}, "1:7,0"}, {0, {7, 0}, "0:7,0"}};
    for (const auto& [place, key, shown] : steps) EXPECT_EQ(text(place, key), shown);
    EXPECT_EQ(written, (std::vector<std::string>{"0:7,0", "1:7,0", "0:7,2", "0:8,2", "0:7,0"}));
}

TEST(Scene, TheConfigurationIsReadyOnFirstUseAndAStageOutsideZeroToFourIsRefusedByName) {
    testRuntime();
    EXPECT_EQ(global::EnemyConfig::forStage(4)->length, 6);
    EXPECT_EQ(global::GameConfig::stages()->at(4)->at(global::GameConfig::ENEMY_TOTAL), 100);
    EXPECT_EQ(global::WeaponConfig::weapons()->at(6)->at(global::WeaponConfig::PRICE), 6);
    EXPECT_EQ(kvtest::thrown([] { global::EnemyConfig::forStage(5); }),
              "java.lang.IllegalArgumentException: no enemy table for stage 5");
}

// Each weapon deals more damage a second than the one before it; and the newest weapon a
// stage's clear puts on sale (weapon s + 1 before stage s) strikes down any enemy of that
// stage at one hit: an enemy reaching the hero costs 5 to 20 of its 100 health, and 60 to
// 100 of them come a stage.
TEST(Scene, EachWeaponOutdoesTheLastAndTheNewestOneMeetsTheNextStagesEnemies) {
    testRuntime();
    using W = global::WeaponConfig;
    auto perSecond = [](int32_t w) {
        return 1000.0 * W::weapons()->at(w)->at(W::DAMAGE) / W::weapons()->at(w)->at(W::COOLDOWN);
    };
    for (int32_t w = 1; w < W::WEAPON_COUNT; ++w) EXPECT_GT(perSecond(w), perSecond(w - 1)) << "weapon " << w;
    for (int32_t stage = 1; stage < 5; ++stage) {
        const int32_t damage = W::weapons()->at(stage + 1)->at(W::DAMAGE);
        VMPtr<global::Table> enemies = global::EnemyConfig::forStage(stage);
        for (int32_t row = 0; row < enemies->length; ++row)
            EXPECT_LE(enemies->at(row)->at(global::EnemyConfig::HIT_POINTS), damage) << "stage " << stage << " row " << row;
    }
}

}  // namespace
