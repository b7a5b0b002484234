// The frame the five boss fights share, in each of them over the compiled content: what each
// state paints and in which order (a Graphics that logs its drawing calls), the gauges' fill
// windows, the states that take no input, and pause in every state with the clocks kept. The
// last fight asks its quit question in state 8 and plays its finale in state 7.

#include <algorithm>
#include <array>
#include <filesystem>
#include <cstdint>

#include "hal/display/GraphicsContext.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Graphics = javax::microedition::lcdui::Graphics;
using Image = javax::microedition::lcdui::Image;
using kv::input::PointerInputEventManager;
using Calls = std::vector<std::string>;

// A Graphics over a 240x320 picture that logs each drawing call ("region <image> <source>
// <size> <transform> <x> <y>" or "fill <x> <y> <w> <h> <colour>") and the clip it was made in.
class RecordingGraphics : public Graphics {
    VM_CLASS(RecordingGraphics, Graphics)
    static VMPtr<RecordingGraphics> make() {
        VMPtr<Image> picture = Image::createImage(240, 320, false, 0);
        HALGraphics* context = nullptr;
        HAL_createGraphicsWithImage(&context, picture->nativeHandle);
        VMPtr<RecordingGraphics> g = _VM_new();
        g->_VM_init(context, 240, 320);
        g->picture = picture;
        return g;
    }
    void _VM_mark(uint32_t flags) override {
        Graphics::_VM_mark(flags);
        vmMarkField(picture, flags);
    }
    void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override {
        clip = {x, y, w, h};
        Graphics::setClip(x, y, w, h);
    }
    void drawRegion(const VMPtr<Image>& img, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t transform,
                    int32_t x, int32_t y, int32_t anchor) override {
        log("region " + std::to_string(reinterpret_cast<uintptr_t>(img.get())) + " " +
            numbers({xSrc, ySrc, w, h, transform, x, y}));
        Graphics::drawRegion(img, xSrc, ySrc, w, h, transform, x, y, anchor);
    }
    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        log("fill " + numbers({x, y, w, h, getColor()}));
        Graphics::fillRect(x, y, w, h);
    }
    static std::string numbers(std::initializer_list<int32_t> values) {
        std::string text;
        for (int32_t v : values) text += std::to_string(v) + " ";
        return text;
    }
    void log(const std::string& what) {
        calls.push_back(what);
        clips.push_back(clip);
    }

    Calls calls;
    std::vector<std::array<int32_t, 4>> clips;
    std::array<int32_t, 4> clip{0, 0, 240, 320};
    VMPtr<Image> picture{vmField()};
};

// The calls a paint makes through a fresh recorder.
template <typename Paint> Calls drawnBy(Paint paint) {
    VMPtr<RecordingGraphics> g = RecordingGraphics::make();
    paint(VMPtr<Graphics>(g.get()));
    return g->calls;
}
template <class P> Calls drawnAlone(P* piece) {
    return drawnBy([&](VMPtr<Graphics> g) { piece->paint(g); });
}
template <class S> Calls drawnByScene(S& fight, void (S::*step)()) {
    return drawnBy([&](VMPtr<Graphics> g) {
        fight.graphics = g;
        (fight.*step)();
    });
}

bool isBlackFill(const std::string& call) {
    return call.rfind("fill ", 0) == 0 && call.size() > 8 && call.compare(call.size() - 3, 3, " 0 ") == 0;
}
void append(Calls& to, const Calls& more) { to.insert(to.end(), more.begin(), more.end()); }
bool startsWith(const Calls& calls, size_t at, const Calls& part) {
    return calls.size() >= at + part.size() && std::equal(part.begin(), part.end(), calls.begin() + long(at));
}

// What sets the fights apart here: the stage each follows, the state of its quit question,
// whether state 7 is a finale that plays on, and the x the character starts at.
struct Traits {
    int32_t stage, quitState;
    bool finale;
    int32_t heroStartX;
};
template <class S> constexpr Traits traits{};
template <> constexpr Traits traits<scene::InGameBoss_1>{0, 7, false, 120};
template <> constexpr Traits traits<scene::InGameBoss_2>{1, 7, false, 48};
template <> constexpr Traits traits<scene::InGameBoss_3>{2, 7, false, 120};
template <> constexpr Traits traits<scene::InGameBoss_4>{3, 7, false, 120};
template <> constexpr Traits traits<scene::InGameBoss_5>{4, 8, true, 120};

// Each case runs once per fight, on a game of its own.
template <class S> struct BossScreens : testing::Test {
    static constexpr int32_t stage = traits<S>.stage, quitState = traits<S>.quitState;
    static constexpr bool finale = traits<S>.finale;
    // Runs body(game, fight) in the fight, playing.
    template <typename Body> static void inFight(Body body) {
        BossGame game;
        game.run([&](GameDriver& g) {
            auto& game = static_cast<BossGame&>(g);
            game.openFight<S>(stage);
            body(game, game.fight<S>());
            game.manager().requestExit();
        });
    }
};
using Fights = testing::Types<scene::InGameBoss_1, scene::InGameBoss_2, scene::InGameBoss_3, scene::InGameBoss_4,
                              scene::InGameBoss_5>;
TYPED_TEST_SUITE(BossScreens, Fights);

// The playfield's pieces in the order they must be drawn: the background (a picture of the
// stage, or the last fight's own frame), what stands behind the character, the character, what
// flies in front of it (frontPieces), the ground, and then the black below the ground.
template <class S> Calls background(S& fight) {
    if constexpr (requires { fight.backgroundGob; })
        return drawnAlone(fight.backgroundGob.get());
    else
        return drawnBy([&](VMPtr<Graphics> g) { fight.backgroundFrame->paint(g, 0, 0, 0); });
}
template <class S> Calls frontPieces(S&) { return {}; }
Calls worldPieces(scene::InGameBoss_1& fight) {
    Calls pieces = background(fight);
    append(pieces, drawnAlone(fight.bossPlayer.get()));
    append(pieces, drawnAlone(fight.bossOverlayPlayer.get()));
    for (int32_t i = 0; i < 8; ++i) append(pieces, drawnAlone(fight.decorationPlayers->at(i)));
    for (int32_t i = 0; i < 10; ++i)
        if (fight.activeShots->at(i)) append(pieces, drawnAlone(fight.activeShots->at(i)));
    return pieces;
}
Calls worldPieces(scene::InGameBoss_2& fight) {
    Calls pieces = background(fight);
    for (int32_t i = 0; i < 5; ++i)
        if (fight.activeMinions->at(i)) append(pieces, drawnAlone(fight.activeMinions->at(i)));
    append(pieces, drawnAlone(fight.bossPlayer.get()));
    return pieces;
}
Calls worldPieces(scene::InGameBoss_3& fight) {
    Calls pieces = background(fight);
    append(pieces, drawnAlone(fight.carrierPlayer.get()));
    for (int32_t k = 0; k < 4; ++k) append(pieces, drawnAlone(fight.partPlayers->at(k)));
    append(pieces, drawnAlone(fight.shieldPlayer.get()));
    append(pieces, drawnAlone(fight.bossPlayer.get()));
    append(pieces, drawnAlone(fight.hazardPlayer.get()));
    for (int32_t k = 0; k < 20; ++k)
        if (fight.activeShots->at(k)) append(pieces, drawnAlone(fight.activeShots->at(k)));
    return pieces;
}

Calls worldPieces(scene::InGameBoss_4& fight) {
    using B = scene::InGameBoss_4;
    Calls pieces = background(fight);
    append(pieces, drawnBy([&](VMPtr<Graphics> g) { fight.bossBaseFrame->paint(g, B::kCentreX, fight.groundY, 0); }));
    append(pieces, drawnAlone(fight.bossBody.get()));
    const int32_t body = fight.bossBody->getAnimation();
    if (body != B::kHit && body != B::kDefeated) append(pieces, drawnAlone(fight.bossIdleOverlay.get()));
    for (int32_t k = 0; k < B::kPartCount; ++k) append(pieces, drawnAlone(fight.bossParts->at(k)));
    for (int32_t k = 0; k < B::kShotCount; ++k)
        if (fight.activeShots->at(k)) append(pieces, drawnAlone(fight.activeShots->at(k)));
    append(pieces, drawnAlone(fight.sweepAttack.get()));
    if (body == B::kDefeated && fight.bossDrop) {
        append(pieces, drawnAlone(fight.bossDrop.get()));
        append(pieces, drawnAlone(fight.bossDropEffect.get()));
    }
    return pieces;
}
// Boss 5: the heart and the fists only while it stands, the throwers' missiles after all the
// guards, the crown in the finale; the shards fly in front of the character, last slot first.
Calls worldPieces(scene::InGameBoss_5& fight) {
    using B = scene::InGameBoss_5;
    Calls pieces = background(fight);
    const bool standing = fight.bossHitPoints > 0;
    if (standing) append(pieces, drawnAlone(fight.weakPointEffect.get()));
    append(pieces, drawnAlone(fight.bossBody.get()));
    if (standing) {
        append(pieces, drawnAlone(fight.bossPartA.get()));
        append(pieces, drawnAlone(fight.bossPartB.get()));
    }
    Calls missiles;
    for (int32_t k = 0; k < B::kMinionCount; ++k)
        if (InGameObject::Enemy* minion = fight.activeMinions->at(k)) {
            append(pieces, drawnAlone(minion));
            if (minion->kind == 2) append(missiles, drawnAlone(minion->getEffectPlayer().get()));
        }
    append(pieces, missiles);
    for (int32_t k = 0; k < fight.rainList->size(); ++k) append(pieces, drawnAlone(fight.rainAt(k)));
    if (fight.state == boss::kFinale) append(pieces, drawnAlone(fight.defeatEffect.get()));
    return pieces;
}
Calls frontPieces(scene::InGameBoss_5& fight) {
    Calls pieces;
    for (int32_t k = scene::InGameBoss_5::kShardCount - 1; k >= 0; --k)
        if (fight.activeShards->at(k)) append(pieces, drawnAlone(fight.activeShards->at(k)));
    return pieces;
}

// A busy field: shots, minions or shots out.
void crowd(scene::InGameBoss_1& fight) {
    for (int k = 0; k < 3; ++k) {
        fight.shotTimer = 4000;
        fight.updateGame();
    }
}
void crowd(scene::InGameBoss_2& fight) {
    for (int tries = 0; tries < 64 && fight.bossPhase != scene::InGameBoss_2::kMinionsOut; ++tries) {
        fight.bossPhase = scene::InGameBoss_2::kChoosing;
        fight.bossTimer = 2000;
        fight.updateBoss();
    }
}
void crowd(scene::InGameBoss_3& fight) {
    fight.frameTime = 50;
    for (int k = 0; k < 40; ++k) fight.updateBoss();
}
// Boss 4: objects out, then the prism beaten with its gem dropping.
void crowd(scene::InGameBoss_4& fight) {
    for (int k = 0; k < 3; ++k) {
        fight.spawnTimer = 4000;
        fight.updateGame();
    }
    fight.bossBody->setAnimation(scene::InGameBoss_4::kDefeated);
}
// Boss 5: guards summoned, icicles falling, shards from a slam, then the keeper down in the
// finale.
void crowd(scene::InGameBoss_5& fight) {
    using B = scene::InGameBoss_5;
    fight.frameTime = 50;
    fight.bossPhase = B::kSummons;
    fight.updateBoss();
    fight.bossPhase = B::kRain;
    fight.rainCleared = false;
    for (int k = 0; k < 3; ++k) {
        fight.phaseTimer = 300;
        fight.updateBoss();
    }
    fight.bossPhase = B::kSlam;
    fight.slamDone = false;
    fight.bossPartA->setAnimation(B::kSlamA);
    fight.bossPartB->setAnimation(B::kSlamA + 1);
    for (int k = 0; k < 200 && fight.bossPhase == B::kSlam && !fight.slamDone; ++k) fight.updateBoss();
    fight.bossHitPoints = 0;
    fight.state = boss::kFinale;
}

// On the quiet field as play begins and on a busy one; the background only above the ground.
TYPED_TEST(BossScreens, ThePlayfieldIsDrawnInItsOrderWithTheGroundBlackBelow) {
    static std::vector<std::string> seen;
    seen.clear();
    TestFixture::inFight([](BossGame&, TypeParam& fight) {
        fight.character->setInvulnerableTimer(1'000'000);
        for (bool busy : {false, true}) {
            if (busy) crowd(fight);
            Calls expected = worldPieces(fight);
            append(expected, drawnAlone(fight.character.get()));
            append(expected, frontPieces(fight));
            append(expected, drawnAlone(fight.centrePlayer.get()));
            append(expected, drawnAlone(fight.markerPlayer.get()));
            VMPtr<RecordingGraphics> g = RecordingGraphics::make();
            fight.graphics = VMPtr<Graphics>(g.get());
            fight.paintWorld();
            const Calls& world = g->calls;
            const bool inOrder = startsWith(world, 0, expected) && world.size() == expected.size() + 1;
            VMPtr<kv::Frame> marker = fight.markerPlayer->getCurrentFrame();
            const int32_t groundBottom = fight.markerPlayer->getY() + marker->height + marker->getY(0);
            const bool blackBelow = world.back().rfind("fill 0 " + std::to_string(groundBottom) + " 240 ", 0) == 0 &&
                                    isBlackFill(world.back());
            const int32_t offY = fight.manager->getGameY();
            const std::array<int32_t, 4> aboveGround{0, -offY, 240, offY + fight.groundY}, view{0, -offY, 240, 320};
            const size_t behind = background(fight).size();
            // The background above the ground only, what follows it in the whole view.
            bool clipped = behind > 0 && g->clips.size() > behind && g->clips[behind] == view;
            for (size_t i = 0; i < behind; ++i) clipped = clipped && g->clips[i] == aboveGround;
            seen.push_back(std::string(inOrder ? "in order" : "") + (blackBelow ? ", black below" : "") +
                           (clipped ? ", clipped" : ""));
        }
    });
    EXPECT_EQ(seen, (std::vector<std::string>(2, "in order, black below, clipped")));
}

// By state: the playfield, then the HUD, then what lies over them (a panel or a curtain, whose
// black fill comes last), or nothing at all. The last fight's finale (7) is drawn as play, its
// quit question is 8.
TYPED_TEST(BossScreens, EachStateDrawsItsLayers) {
    static const std::vector<std::string> firstFights = {"0",           "1 world hud", "2 world over",
                                                         "3 world hud over black", "4", "5 world hud over black",
                                                         "6 world hud over black", "7 world over", "8"};
    static const std::vector<std::string> lastFight = {"0",           "1 world hud", "2 world over",
                                                       "3 world hud over black", "4", "5 world hud over black",
                                                       "6 world hud over black", "7 world hud", "8 world over"};
    static std::vector<std::string> seen;
    seen.clear();
    TestFixture::inFight([](BossGame&, TypeParam& fight) {
        const Calls hud = drawnByScene(fight, &TypeParam::paintHud);
        for (int32_t state = 0; state <= 8; ++state) {
            fight.state = state;
            const Calls world = drawnByScene(fight, &TypeParam::paintWorld);
            const Calls all = drawnBy([&](VMPtr<Graphics> g) { fight.paint(g); });
            const bool hasWorld = startsWith(all, 0, world);
            const bool hasHud = hasWorld && startsWith(all, world.size(), hud);
            const size_t layers = hasWorld ? world.size() + (hasHud ? hud.size() : 0) : 0;
            const bool over = all.size() > layers;
            seen.push_back(std::to_string(state) + (hasWorld ? " world" : "") + (hasHud ? " hud" : "") +
                           (over ? " over" : "") + (over && isBlackFill(all.back()) ? " black" : ""));
        }
    });
    EXPECT_EQ(seen, TestFixture::finale ? lastFight : firstFights);
}

// The fill windows drop one step-frame height per step of hit points lost (20 steps of 5 for
// the character, of 10, 20, 25, 50 and 100 for the bosses); -1: no fill drawn. The boss gauge's frame
// is drawn in every case.
TYPED_TEST(BossScreens, GaugesEmptyInTwentySteps) {
    struct Row {
        int32_t stage, health, bossHitPoints;
        const char* want;  // health steps ("low": the red fill), boss steps
    };
    static const Row rows[] = {
        {0, 100, 200, "0 0"},  {0, 96, 191, "0 0"},   {0, 95, 190, "1 1"},    {0, 31, 10, "13 19"},
        {0, 30, 0, "14 low -1"}, {1, 5, 400, "19 low 0"}, {1, 1, 381, "19 low 0"}, {1, 0, 380, "-1 1"},
        {1, -5, 20, "-1 19"},  {2, 100, 500, "0 0"},  {2, 100, 476, "0 0"},   {2, 100, 475, "0 1"},
        {2, 100, 25, "0 19"},  {2, 100, 1, "0 19"},   {2, 100, 0, "0 -1"},   {3, 100, 1000, "0 0"},
        {3, 100, 951, "0 0"},  {3, 100, 950, "0 1"},  {3, 100, 10, "0 19"},   {3, 100, 1, "0 19"},
        {3, 100, 0, "0 -1"},   {4, 100, 2000, "0 0"}, {4, 100, 1901, "0 0"},  {4, 100, 1900, "0 1"},
        {4, 100, 100, "0 19"}, {4, 100, 1, "0 19"},   {4, 100, 0, "0 -1"},
    };
    static std::vector<std::string> seen, want;
    seen.clear();
    want.clear();
    for (const Row& row : rows)
        if (row.stage == TestFixture::stage) want.push_back(row.want + std::string(" gauge"));
    TestFixture::inFight([](BossGame&, TypeParam& fight) {
        // Steps of the window the fill's first call was drawn through, -1 when it was not drawn.
        auto steps = [](const VMPtr<RecordingGraphics>& g, const Calls& fill, int32_t windowTop, int32_t stepHeight) {
            for (size_t i = 0; i < g->calls.size(); ++i)
                if (g->calls[i] == fill.at(0)) return std::to_string((g->clips[i][1] - windowTop) / stepHeight);
            return std::string("-1");
        };
        VMPtr<kv::Paintable::BoxArray> box = boss::newBoxes(1);
        fight.playerGauge->getCollisionBoxes(0, box, 0);
        const int32_t healthTop = 160 + box->at(0)->y;
        fight.bossGauge->getCollisionBoxes(0, box, 0);
        const int32_t bossTop = 160 + box->at(0)->y, stepHeight = fight.gaugeStep->height;
        auto at = [](kv::Frame* frame, int32_t x) {
            return drawnBy([&](VMPtr<Graphics> g) { frame->paint(g, x, 160, 0); });
        };
        const Calls full = at(fight.healthFill.get(), 0), low = at(fight.healthFillLow.get(), 0);
        const Calls bossFill = at(fight.bossFill.get(), 240), bossGauge = at(fight.bossGauge.get(), 240);
        for (const Row& row : rows) {
            if (row.stage != fight.stage) continue;
            fight.character->health = row.health;
            fight.bossHitPoints = row.bossHitPoints;
            VMPtr<RecordingGraphics> g = RecordingGraphics::make();
            fight.graphics = VMPtr<Graphics>(g.get());
            fight.paintHud();
            const std::string lowSteps = steps(g, low, healthTop, stepHeight);
            const bool gauge = std::find(g->calls.begin(), g->calls.end(), bossGauge.at(0)) != g->calls.end();
            seen.push_back((lowSteps != "-1" ? lowSteps + " low" : steps(g, full, healthTop, stepHeight)) + " " +
                           steps(g, bossFill, bossTop, stepHeight) + (gauge ? " gauge" : ""));
        }
    });
    EXPECT_EQ(seen, want);
}

// The timer icons take the gauge's two icon places: power first; speed first when alone,
// else second and one pixel higher.
TYPED_TEST(BossScreens, TimerIconsTakeTheirPlaces) {
    static std::vector<std::string> seen;
    seen.clear();
    TestFixture::inFight([](BossGame&, TypeParam& fight) {
        VMPtr<kv::Paintable::BoxArray> places = boss::newBoxes(2);
        fight.playerGauge->getCollisionBoxes(0, places, 1);
        auto at = [&](kv::Frame* icon, int32_t place, int32_t up) {
            return drawnBy([&](VMPtr<Graphics> g) {
                icon->paint(g, places->at(place)->x, 160 + places->at(place)->y - up, 0);
            });
        };
        const std::pair<const char*, Calls> shown[] = {{"power first", at(fight.powerIcon.get(), 0, 0)},
                                                       {"speed first", at(fight.speedIcon.get(), 0, 0)},
                                                       {"speed second", at(fight.speedIcon.get(), 1, 1)}};
        for (auto [power, speed] : {std::pair{5000, 0}, std::pair{0, 5000}, std::pair{5000, 5000}, std::pair{0, 0}}) {
            fight.character->powerTimer = power;
            fight.character->speedBoostTimer = speed;
            const Calls hud = drawnByScene(fight, &TypeParam::paintHud);
            std::string row;
            for (const auto& [name, calls] : shown)
                if (std::search(hud.begin(), hud.end(), calls.begin(), calls.end()) != hud.end())
                    row += name + std::string(";");
            seen.push_back(row);
        }
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"power first;", "speed first;", "power first;speed second;", ""}));
}

// ---------------------------------------------------------------- controls and pause

std::string moves;

class SpyCharacter : public InGameObject::Character {
    VM_CLASS(SpyCharacter, InGameObject::Character)
    void moveLeft() override { moves += "L "; }
    void moveRight() override { moves += "R "; }
    void attackUp(bool, bool) override { moves += "U "; }
    void jump() override { moves += "J "; }
    void idle() override { moves += "I "; }
    void attack() override { moves += "A "; }
    void attackToward(bool) override { moves += "A "; }
    void switchToOwnedWeapon(bool) override { moves += "W "; }
};

// The last fight's finale, its crown held high enough not to reach the character for a while.
template <class S> void finale(S& fight) {
    if constexpr (traits<S>.finale) {
        fight.bossHitPoints = 0;
        fight.state = boss::kFinale;
        fight.defeatEffect->setY(-1000);
    }
}

template <class S> void pointer(S& fight, int8_t type, int32_t x, int32_t y) {
    PointerInputEventManager::addEvent(type, x, y);
    PointerInputEventManager::nextEvent();
    fight.handlePointer();
}

// Left held, fire and pause (keys 2, 8, 29) pressed, then presses on the pause button and the
// move zone, then the flags applied: in play (and the last fight's finale) that moves and
// pauses, in the intro and after the fight nothing happens.
TYPED_TEST(BossScreens, NoInputInTheIntroOrAfterTheFight) {
    static std::vector<std::string> seen, want;
    seen.clear();
    want = {"2 2 L A L ", "3 3 ", "5 5 ", "6 6 "};
    std::vector<int32_t> states = {1, 3, 5, 6};
    if (TestFixture::finale) {
        states.push_back(boss::kFinale);
        want.push_back("2 2 L A L ");
    }
    TestFixture::inFight([&](BossGame& game, TypeParam& fight) {
        VMPtr<InGameObject::Character> real = fight.character;
        fight.character = SpyCharacter::_VM_new();
        for (int32_t state : states) {
            fight.state = state;
            fight.leftFlag = false;
            moves.clear();
            ui::SceneManager& manager = game.manager();
            std::fill(std::begin(manager.keysDown), std::end(manager.keysDown), false);
            manager.keysDown[2] = true;
            manager.keysPressedSince[8] = manager.keysPressedSince[29] = true;
            manager.snapshotKeys();
            fight.handleKeys();
            const int32_t afterKeys = fight.state;
            fight.state = state;
            pointer(fight, PointerInputEventManager::PRESSED, 40, 270);
            pointer(fight, PointerInputEventManager::PRESSED, 222, 302);
            const int32_t afterPointer = fight.state;
            fight.state = state;
            fight.leftFlag = true;
            fight.applyInput();
            seen.push_back(std::to_string(afterKeys) + " " + std::to_string(afterPointer) + " " + moves);
        }
        fight.character = real;
    });
    EXPECT_EQ(seen, want);
}

// As play begins the character stands where the fight put it, and holding the move-right zone
// walks it from there at 0.08 px/ms: the press is taken after the first frame's step, so two
// frames make one 50 ms step of 4 px.
TYPED_TEST(BossScreens, TheFirstStepWalksFromWhereTheFightPutTheCharacter) {
    static int32_t startX, walked;
    TestFixture::inFight([&](BossGame& game, TypeParam& fight) {
        fight.character->setInvulnerableTimer(1'000'000);
        startX = fight.character->getX();
        game.press(kMoveRight[0], kMoveRight[1]);
        game.frames(2);
        walked = fight.character->getX() - startX;
        game.release(kMoveRight[0], kMoveRight[1]);
    });
    EXPECT_EQ(startX, traits<TypeParam>.heroStartX);
    EXPECT_EQ(walked, 4);
}

// Pause does nothing while loading, paused or asking to quit; from the intro, from either end
// and from the last fight's finale it pauses, nothing runs while the menu shows, and resuming
// finds the curtain, the end's clock and the play time as they were, and they run on. The
// pause menu and the quit question are saved as bossN_frames/pause.png and quit.png.
TYPED_TEST(BossScreens, PauseKeepsTheClocksOfTheStateItInterrupts) {
    static std::vector<std::string> seen, want;
    seen.clear();
    const int32_t quit = TestFixture::quitState;
    want = {"0 -1", "2 -1", std::to_string(quit) + " -1", "2 frozen kept runs", "2 frozen kept runs",
            "2 frozen kept runs"};
    std::vector<int32_t> resumed = {3, 5, 6};
    if (TestFixture::finale) {
        resumed.push_back(boss::kFinale);
        want.push_back("2 frozen kept runs");
    }
    TestFixture::inFight([&](BossGame& game, TypeParam& fight) {
        auto clocks = [&] {
            return std::to_string(fight.transitionPlayer->getY()) + "/" + std::to_string(fight.endTimer) + "/" +
                   std::to_string(fight.playTime);
        };
        fight.character->setInvulnerableTimer(1'000'000);
        const std::string folder = "boss" + std::to_string(TestFixture::stage + 1) + "_frames/";
        std::filesystem::create_directories(folder);
        fight.pause();
        game.frames(1);
        game.savePng(folder + "pause.png");
        fight.state = quit;
        game.frames(1);
        game.savePng(folder + "quit.png");
        for (int32_t state : {0, 2, quit}) {
            fight.state = state;
            fight.savedState = -1;
            fight.pause();
            seen.push_back(std::to_string(fight.state) + " " + std::to_string(fight.savedState));
        }
        for (int32_t state : resumed) {
            fight.state = boss::kPlaying;
            if (state == boss::kIntro) {
                fight.state = state;
                fight.transitionPlayer->setAnimation(1);
                fight.transitionPlayer->setY(0);
            } else if (state == boss::kFinale) {
                finale(fight);
            } else {
                boss::startEnd(fight, state);
                fight.endTimer = 2900;
            }
            game.frames(4);
            const std::string before = clocks();
            fight.pause();
            const int32_t paused = fight.state;
            game.frames(10);
            const bool frozen = clocks() == before;
            game.tap(120, 132);  // the menu's first entry, taken after the next frame's update
            game.frames(1);
            const bool kept = fight.state == state && clocks() == before;
            game.frames(1);
            seen.push_back(std::to_string(paused) + (frozen ? " frozen" : "") + (kept ? " kept" : "") +
                           (clocks() != before ? " runs" : ""));
        }
    });
    EXPECT_EQ(seen, want);
}

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(RecordingGraphics, "test.RecordingGraphics", "javax.microedition.lcdui.Graphics",
                                VM_NO_CLINIT)
VM_DEFINE_CLASS_WITHOUT_FACTORY(SpyCharacter, "test.SpyCharacter", "InGameObject.Character", VM_NO_CLINIT)
