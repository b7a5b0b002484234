// Animation players: loop counts, endless loops carrying their movement over, hold levels
// and the level-3 stop, tweens, update(0), animations that take no time, bounds that follow
// the animation, and box tests at their edges (including the shared box array after a
// one-box query).

#include <gtest/gtest.h>

#include "tests/kv/AnimSupport.h"

namespace {

using kv::AnimPlayer;
using kv::AnimSet;
using kvtest::AnimStep;
using kvtest::player;

constexpr int32_t K = int32_t(0xFF000000);

// Frames: 0 a 4x4 gob above its anchor with a 10x10 box; 1 a 6x2 gob with a circular box
// of width 10; 2 no gob, two 4x4 boxes of types 0 and 1, 20 apart; 3 a 9x5 gob.
// Animations: 0 frames 0-2 once; 1 walking 12 per cycle forever; 2 and 3 hold levels;
// 4 a tween from 0 to 40 played once; 5 two tweened steps taking no time; 6 frame 3.
VMPtr<AnimSet> playerSet() {
    kvtest::AnimSetModel model;
    model.frames = {{{{0, 0, -2, 0}}, {{0, 0, 10, 10, 0, false}}},
                    {{{1, 0, 0, 0}}, {{0, 0, 10, 10, 0, true}}},
                    {{}, {{0, 0, 4, 4, 0, false}, {20, 0, 4, 4, 1, false}}},
                    {{{2, 0, 0, 0}}, {}}};
    auto holds = [](std::vector<int32_t> levels) {
        std::vector<AnimStep> steps;
        for (int32_t level : levels) steps.push_back({0, 10, level});
        return kvtest::Animation{steps, -1};
    };
    model.animations = {{{{0, 100}, {1, 100}, {2, 100}}, 1},
                        {{{0, 100, 0, false, 0}, {0, 100, 0, false, 12}}, -1},
                        holds({0, 2, 1, 0}),
                        holds({0, 0, 3, 0}),
                        {{{0, 100, 0, true, 0}, {0, 100, 0, false, 40}}, 1},
                        {{{0, 0, 0, true, 0}, {0, 0, 0, true, 5}}, -1},
                        {{{3, 100}}, -1}};
    VMPtr<AnimSet> set = kvtest::readSet(model);
    set->setGobs(kvtest::gobArray({kvtest::pixelGob(4, 4, 0, -4, std::vector<int32_t>(16, K)),
                                   kvtest::pixelGob(6, 2, 0, 0, std::vector<int32_t>(12, K)),
                                   kvtest::pixelGob(9, 5, 0, 0, std::vector<int32_t>(45, K))}));
    return set;
}

class AnimPlayerTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
    VMPtr<AnimSet> set = playerSet();
};

TEST_F(AnimPlayerTest, LoopCountOnePlaysOnceAndStaysOnTheLastFrame) {
    VMPtr<AnimPlayer> p = player(set, 0);
    EXPECT_EQ(p->getLoops(), 1);
    EXPECT_TRUE(p->update(250));
    EXPECT_EQ(p->getShownFrameIndex(), 2);
    EXPECT_EQ(p->getElapsedTime(), 250);
    EXPECT_FALSE(p->update(100));
    EXPECT_EQ(p->getFrameIndex(), 2);
    EXPECT_EQ(p->timeInFrame, 100);
    for (int32_t dt : {0, 100}) EXPECT_FALSE(p->update(dt));
    EXPECT_EQ(p->getShownFrameIndex(), 2);
    EXPECT_EQ(p->getLoops(), 0);
    p->setAnimation(0);  // the same animation starts again
    EXPECT_EQ(p->getShownFrameIndex(), 0);
    EXPECT_TRUE(p->update(0));
}

TEST_F(AnimPlayerTest, EndlessLoopsCarryTheirMovementFromCycleToCycle) {
    VMPtr<AnimPlayer> p = player(set, 1);
    EXPECT_EQ(p->getLoops(), -1);
    EXPECT_TRUE(p->update(0));
    EXPECT_EQ(p->getX(), 0);
    for (int32_t cycle = 1; cycle <= 3; ++cycle) {
        EXPECT_TRUE(p->update(100));
        EXPECT_TRUE(p->update(100));
        EXPECT_EQ(p->getX(), 12 * cycle);
    }
    EXPECT_TRUE(p->update(600));
    EXPECT_EQ(p->getX(), 72);
    p->setFlags(2);  // mirrored: moves left
    p->update(200);
    EXPECT_EQ(p->getDeltaX(), -12);
    p->setFlags(4);  // axes swapped: moves down
    p->update(200);
    EXPECT_EQ(p->getDeltaY(), 12);
    EXPECT_EQ(p->getPrevX(), p->getX());
}

TEST_F(AnimPlayerTest, HoldLevelsKeepAFrameShownAndLevelThreeStops) {
    VMPtr<AnimPlayer> p = player(set, 2);
    p->update(25);  // passes step 1 (level 2) and reaches step 2 (level 1)
    EXPECT_EQ(p->getFrameIndex(), 2);
    EXPECT_EQ(p->getShownFrame(), 1);
    p->paint(kvtest::blankImage(1, 1)->getGraphics());  // painting resets the level
    p->update(10);
    EXPECT_EQ(p->getShownFrame(), 3);

    VMPtr<AnimPlayer> q = player(set, 3);
    EXPECT_TRUE(q->update(1000));
    EXPECT_EQ(q->getFrameIndex(), 2);
    EXPECT_EQ(q->getShownFrame(), 2);
}

TEST_F(AnimPlayerTest, TweensInterpolateTheOffset) {
    VMPtr<AnimPlayer> p = player(set, 4);
    p->update(50);
    EXPECT_EQ(p->getX(), 20);
    p->update(25);
    EXPECT_EQ(p->getX(), 30);
    EXPECT_TRUE(p->update(0));
    EXPECT_EQ(p->getX(), 30);
    EXPECT_EQ(p->getDeltaX(), 0);
}

TEST_F(AnimPlayerTest, AnimationsTakingNoTimeEndEachUpdate) {
    VMPtr<AnimPlayer> p = player(set, 5);
    EXPECT_TRUE(p->update(16));
    EXPECT_EQ(p->getX(), 5);  // one whole cycle per update
    EXPECT_TRUE(p->update(0));
    EXPECT_EQ(p->getX(), 10);

    VMPtr<AnimPlayer> idle = AnimPlayer::_VM_new();
    idle->_VM_init();
    EXPECT_FALSE(idle->update(16));
    EXPECT_EQ(idle->getWidth(0), 0);
    EXPECT_FALSE(idle->getCurrentFrame());
}

TEST_F(AnimPlayerTest, BoundsFollowTheAnimationAndTheShownFrame) {
    VMPtr<AnimPlayer> p = player(set, 0);
    EXPECT_EQ((std::vector<int32_t>{p->getX(0), p->getY(0), p->getWidth(0), p->getHeight(0)}),
              (std::vector<int32_t>{0, -6, 6, 8}));
    EXPECT_EQ(p->getFrameTop(0), -6);
    EXPECT_EQ(p->getFrameTop(1), 2);
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(4);
    p->setX(5);
    p->getBounds(out);
    EXPECT_EQ(kvtest::boundsOf(out), (std::vector<int32_t>{5, -6, 4, 4}));
    p->setFrame(2);  // no modules: empty bounds, not moved
    p->getBounds(out);
    EXPECT_EQ(kvtest::boundsOf(out), (std::vector<int32_t>{0x7FFFFFFF, 0x7FFFFFFF, 0, 0}));
    p->setAnimation(6);
    EXPECT_EQ((std::vector<int32_t>{p->getWidth(0), p->getHeight(0)}), (std::vector<int32_t>{9, 5}));
    EXPECT_EQ(p->getCurrentFrame()->getIndex(), 3);
}

TEST_F(AnimPlayerTest, BoxTestsAtTheirEdges) {
    VMPtr<AnimPlayer> p = player(set, 0), q = player(set, 0);
    const struct {
        int32_t frame, qx;
        bool hit;
    } cases[] = {{0, 10, false}, {0, 9, true}, {1, 10, true}, {1, 11, false}};  // shared edge; touching circles
    for (const auto& c : cases) {
        p->setFrame(c.frame);
        q->setFrame(c.frame);
        q->setX(c.qx);
        EXPECT_EQ(p->collidesWith(q), c.hit) << c.frame << " " << c.qx;
    }
    p->setFrame(0);
    EXPECT_TRUE(p->containsPoint(9, 9));
    EXPECT_FALSE(p->containsPoint(10, 5));
    EXPECT_FALSE(kv::graphics::CollisionBox::lastHitA);
}

TEST_F(AnimPlayerTest, OneBoxQueryThenAPairTestOnTwoBoxFrames) {
    kv::Paintable::boxesA = nullptr;
    VMPtr<AnimPlayer> p = player(set, 0), q = player(set, 0);
    p->setFrame(2);
    q->setFrame(2);
    q->setX(20);
    VMPtr<kv::graphics::CollisionBox> box = kvtest::boxArray(1)->elements()[0];
    EXPECT_TRUE(p->getCollisionBox(box));
    EXPECT_EQ((std::vector<int32_t>{box->x, box->width}), (std::vector<int32_t>{0, 4}));
    EXPECT_TRUE(p->collidesWith(q));
    EXPECT_EQ(kv::graphics::CollisionBox::lastHitA->x, 20);
    EXPECT_EQ(kv::graphics::CollisionBox::lastHitB->x, 20);
    p->boxType = 1;
    EXPECT_TRUE(p->getCollisionBox(box));
    EXPECT_EQ(box->x, 20);
    p->setFrame(1);
    EXPECT_FALSE(p->getCollisionBox(box));
    EXPECT_EQ(box->width, 0);
}

}  // namespace
