// Animation sets: the encoder's output read back equal to its model (escape forms
// included) and its refusals, the reader's refusal of short and out-of-range data, frame
// and animation bounds and boxes under the transforms, pixel-exact paint order and combined
// flips, whole-animation frames, and missing gobs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "src/kv/kv_Frame.h"
#include "tests/kv/AnimSupport.h"

namespace {

using kv::AnimSet;
using kv::Frame;
using kvtest::boxArray;
using kvtest::ints;
using kvtest::readSet;
using kvtest::thrown;
using namespace packwriter;
using testing::AllOf;
using testing::HasSubstr;

constexpr int32_t R = int32_t(0xFFF80000), G = int32_t(0xFF00FC00), B = int32_t(0xFF0000F8), W = int32_t(0xFFF8FCF8);
constexpr int32_t C = int32_t(0xFF00FCF8), K = int32_t(0xFF000000);

// The model a set holds, rebuilt from its queries.
AnimSetModel decode(const VMPtr<AnimSet>& set) {
    AnimSetModel model;
    VMPtr<kvtest::IntArray> modules = kvtest::IntArray::_VM_new(255 * 4);
    VMPtr<AnimSet::BoxArray> boxes = boxArray(255);
    for (int32_t f = 0; f < set->getFrameCount(); ++f) {
        AnimFrame frame;
        for (int32_t i = 0, n = set->getFrameModules(f, 0, modules); i < n; ++i) {
            const int32_t* m = modules->elements() + 4 * i;
            frame.modules.push_back({m[0], (m[3] & 2) ? -m[1] : m[1], (m[3] & 1) ? -m[2] : m[2], m[3]});
        }
        for (int32_t i = 0, n = set->getCollisionBoxes(f, 0, boxes); i < n; ++i) {
            const kv::graphics::CollisionBox* b = boxes->elements()[i];
            frame.boxes.push_back({b->x, b->y, b->width, b->height, b->type, b->kind == 4});
        }
        model.frames.push_back(frame);
    }
    for (int32_t a = 0; a < set->getAnimationCount(); ++a) {
        const int32_t word = set->animations->elements()[a], first = int32_t(uint32_t(word) >> 16);
        Animation animation;
        animation.loops = int32_t(uint32_t(word) << 16) >> 26;
        for (int32_t k = first; k < first + set->getAnimationLength(a); ++k) {
            const int32_t step = set->animFrames->elements()[k];
            animation.steps.push_back({set->animFrameIndex(k), set->durationOf(k), set->holdLevelOf(k), (step & 3) != 0,
                                       AnimSet::offsetX(step), AnimSet::offsetY(step)});
        }
        model.animations.push_back(animation);
    }
    return model;
}

// Values at the edges of every field and of the one-byte number forms.
AnimSetModel edgeModel() {
    AnimSetModel model;
    model.frames.push_back({{{0, -128, 200, 3}, {300, 511, -512, 3}, {1, 0, 0, 3}, {2, -127, 127, 3}, {1023, 5, -5, 1}},
                            {{-1024, 1023, 255, 300, 31, true}, {3, -4, 0, 1023, 0, false}}});
    model.frames.push_back({});
    model.frames.push_back({{{254, 0, 0, 2}}, {}});
    model.animations.push_back({{{0, 255, 3, true, -512, 511}, {2, 1000, 0, false, 128, -128}, {1, 0, 1, false, 0, 0}}, -32});
    model.animations.push_back({{}, 31});
    model.animations.push_back({{{0, 65535, 2, true, 1, -1}}, 0});
    return model;
}

class AnimSetTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
};

TEST_F(AnimSetTest, ReadsBackWhatTheEncoderWrote) {
    const AnimSetModel model = edgeModel();
    const Bytes bytes = encodeAnimSet(model);
    const Bytes flipEscape = {0xFF, 0x00, 0xFF};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), flipEscape.begin(), flipEscape.end()), bytes.end());
    VMPtr<AnimSet> set = readSet(bytes);
    EXPECT_EQ(decode(set), model);
    VMPtr<AnimSet> again = kv::Resources::getAnimSet(0);  // read anew, not cached
    EXPECT_NE(again.get(), set.get());
    EXPECT_EQ(decode(again), model);
    EXPECT_EQ(set->getId(), 0);
    EXPECT_EQ(set->getAnimationDuration(0), 1255);
    EXPECT_EQ(set->getAnimationDuration(-1), 0);
    EXPECT_EQ(set->getAnimationDuration(3), 0);

    // A loop value of 0x20 is the 6-bit field's -32.
    Bytes loop = encodeAnimSet({{{}}, {{{{0, 10}}, 1}}});
    ASSERT_EQ(loop[4], 1);
    loop[4] = 0x20;
    EXPECT_EQ(decode(readSet(loop)).animations[0].loops, -32);
}

TEST_F(AnimSetTest, EncoderRefusesWhatTheFormatCannotHold) {
    AnimFrame crowded;
    crowded.modules.resize(256);
    Animation longAnimation{std::vector<AnimStep>(1024), 1}, manyDurations{{}, 1};
    for (int32_t d = 0; d < 65; ++d) manyDurations.steps.push_back({0, d});
    const struct {
        AnimSetModel model;
        const char* message;
    } cases[] = {
        {{{crowded}, {}}, "frame 0: 256 modules"},
        {{{{}, {{{1024, 0, 0, 0}}, {}}}, {}}, "frame 1, module 0: gob index 1024 outside 0..1023"},
        {{{{{}, {{0, 0, 1024, 1, 0, false}}}}, {}}, "frame 0, box 0: width 1024 outside 0..1023"},
        {{{{}}, {{{{5, 10}}, 1}}}, "animation 0, step 0: frame 5 not in the set"},
        {{{{}}, {{{}, 1}, {{}, 32}}}, "animation 1: loop count 32 outside -32..31"},
        {{{{}}, {longAnimation}}, "animation 0: 1024 steps"},
        {{{{}}, {manyDurations}}, "animation 0, step 64: a 65th distinct duration"},
        {{{{}}, {{{{0, 10, 0, false, 600}}, 1}}}, "animation 0, step 0: x offset 600 outside -512..511"},
    };
    for (const auto& c : cases) {
        try {
            encodeAnimSet(c.model);
            ADD_FAILURE() << c.message;
        } catch (const std::invalid_argument& refused) {
            EXPECT_THAT(refused.what(), HasSubstr(c.message));
        }
    }
}

TEST_F(AnimSetTest, ReaderRefusesShortAndOutOfRangeData) {
    // One animation of one step (frame 0, duration 0 of the table {10}), one empty frame.
    const Bytes base = {0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 10};
    ASSERT_EQ(thrown([&] { readSet(base); }), "");
    const Bytes large = encodeAnimSet(edgeModel());
    for (const Bytes* whole : {&base, &large})
        for (size_t n = 0; n < whole->size(); ++n)
            EXPECT_THAT(thrown([&] { readSet(Bytes(whole->begin(), whole->begin() + long(n))); }),
                        HasSubstr("java.io.EOFException")) << n;
    auto replaced = [&](size_t at, const Bytes& with) {
        Bytes out = base;
        out.erase(out.begin() + long(at));
        out.insert(out.begin() + long(at), with.begin(), with.end());
        return out;
    };
    const struct {
        Bytes bytes;
        const char* message;
    } cases[] = {
        {replaced(6, {1}), "missing frame 1"},
        {replaced(5, {1}), "missing duration 1"},
        {replaced(5, {0xFF, 0x04, 0x00}), "timing out of range 1024"},
        {replaced(6, {0xFF, 0x04, 0x00}), "index too large 1024"},
        {replaced(3, {0xFF, 0x04, 0x00}), "Animation too long 1024"},
        {replaced(11, {0xFF, 0x01, 0x00}), "Too many modules in a frame 256"},
        {replaced(12, {0xFF, 0x01, 0x00}), "Too many boxes in a frame 256"},
    };
    for (const auto& c : cases)
        EXPECT_THAT(thrown([&] { readSet(c.bytes); }), AllOf(HasSubstr("java.io.IOException: "), HasSubstr(c.message)));
}

// Frame 0: a 2x2 gob centred on its anchor, vertically flipped, at (2, 0), then a 4x3 gob
// standing on its anchor at (-5, 1); a rectangle box of type 1 and a circular one of type 2.
// Frame 1: the 4x3 gob alone. Frame 2: empty. Frame 3: a gob the set does not have.
AnimSetModel boundsModel() {
    AnimSetModel model;
    model.frames = {{{{0, 2, 0, 1}, {1, -5, 1, 0}}, {{-4, -6, 3, 2, 1, false}, {2, 1, 5, 4, 2, true}}},
                    {{{1, 0, 0, 0}}, {}},
                    {},
                    {{{7, 0, 0, 0}}, {}}};
    model.animations = {{{{0, 100, 0, false, 0, 0}, {1, 100, 0, false, 10, -5}, {2, 100, 0, false, 100, 100}}, 1}};
    return model;
}

VMPtr<kv::Gob::GobArray> boundsGobs() {
    return kvtest::gobArray({kvtest::pixelGob(2, 2, -1, -1, {R, G, B, W}), kvtest::pixelGob(4, 3, 0, -3, std::vector<int32_t>(12, C))});
}

TEST_F(AnimSetTest, BoundsAndBoxesUnderTransforms) {
    VMPtr<AnimSet> set = readSet(boundsModel());
    set->setGobs(boundsGobs());
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(10);
    const struct {
        int32_t flags;
        std::vector<int32_t> frame, animation;
    } bounds[] = {{0, {-5, -2, 8, 3}, {-5, -8, 19, 9}},
                  {1, {-5, -1, 8, 3}, {-5, -1, 19, 9}},
                  {2, {-3, -2, 8, 3}, {-14, -8, 19, 9}},
                  {4, {-5, -2, 8, 3}, {-5, -2, 8, 12}}};
    for (const auto& c : bounds) {
        set->getFrameBounds(0, c.flags, out);
        EXPECT_EQ(kvtest::boundsOf(out), c.frame) << c.flags;
        set->getAnimationBounds(0, c.flags, out);
        EXPECT_EQ(kvtest::boundsOf(out), c.animation) << c.flags;
    }
    const struct {
        int32_t flags;
        std::vector<int32_t> first, second;
    } boxes[] = {{0, {-4, -6, 3, 2}, {2, 1, 5, 4}},  {1, {-4, 4, 3, 2}, {2, -5, 5, 4}}, {2, {1, -6, 3, 2}, {-7, 1, 5, 4}},
                 {4, {-6, -4, 2, 3}, {1, 2, 4, 5}},  {5, {4, -4, 2, 3}, {-5, 2, 4, 5}}, {6, {-6, 1, 2, 3}, {1, -7, 4, 5}}};
    VMPtr<AnimSet::BoxArray> filled = boxArray(2);
    for (const auto& c : boxes) {
        ASSERT_EQ(set->getCollisionBoxes(0, c.flags, filled), 2);
        for (int32_t i = 0; i < 2; ++i) {
            const kv::graphics::CollisionBox* b = filled->elements()[i];
            EXPECT_EQ((std::vector<int32_t>{b->x, b->y, b->width, b->height}), i == 0 ? c.first : c.second) << c.flags;
            EXPECT_EQ(b->type, i + 1);
            EXPECT_EQ(b->kind, i == 0 ? 3 : 4);
        }
    }
    EXPECT_EQ(set->getCollisionRectsOfType(0, 3, out, 2), 1);
    EXPECT_EQ(kvtest::vec(out, 5), (std::vector<int32_t>{-7, -5, 5, 4, 2}));
    EXPECT_EQ(set->getCollisionRects(0, 0, kvtest::IntArray::_VM_new(9)), 1);
    EXPECT_EQ(set->getFrameModules(0, 0, kvtest::IntArray::_VM_new(3)), 2);
}

TEST_F(AnimSetTest, FramesAndWholeAnimationFrames) {
    VMPtr<AnimSet> set = readSet(boundsModel());
    VMPtr<Frame> early = set->getFrame(0);
    EXPECT_EQ(early->getWidth(0), 0);  // no gobs yet: nothing to measure
    set->setGobs(boundsGobs());
    VMPtr<Frame> frame = set->getFrame(0);
    EXPECT_EQ(set->getFrame(0).get(), frame.get());
    EXPECT_EQ((std::vector<int32_t>{frame->getX(0), frame->getY(0), frame->getWidth(0), frame->getHeight(0)}),
              (std::vector<int32_t>{-5, -2, 8, 3}));
    EXPECT_EQ(frame->getX(2), -3);
    EXPECT_EQ(frame->getY(1), -1);
    EXPECT_EQ(frame->getBoxCount(), 2);
    EXPECT_EQ(frame->getModuleCount(), 2);
    VMPtr<kv::graphics::CollisionBox> box = boxArray(1)->elements()[0];
    box->setBounds(3, -2, 4, 4);
    EXPECT_FALSE(frame->intersectsBox(box, 0, 0));  // touches the right edge only
    EXPECT_TRUE(frame->intersectsBox(box, 1, 0));

    VMPtr<Frame> whole = set->getAnimationFrame(0);
    EXPECT_EQ((std::vector<int32_t>{whole->getX(0), whole->getY(0), whole->getWidth(0), whole->getHeight(0)}),
              (std::vector<int32_t>{-5, -8, 19, 9}));
    EXPECT_EQ(whole->getIndex(), 0);
    EXPECT_EQ(whole->getBoxCount(), 0);
    EXPECT_EQ(whole->getModuleCount(), 0);
    EXPECT_EQ(whole->getCollisionBoxes(0, boxArray(4), -1), 0);
    VMPtr<kvtest::Image> canvas = kvtest::blankImage(4, 4);
    whole->paint(canvas->getGraphics(), 2, 2, 0);
    EXPECT_EQ(kvtest::pixelsOf(canvas), std::vector<int32_t>(16, K));
}

TEST_F(AnimSetTest, PaintOrderAndCombinedFlipsArePixelExact) {
    AnimSetModel model;
    // The 2x2 gob vertically flipped at (2, 0), then a one-pixel gob at (2, 0) on top of it.
    model.frames = {{{{0, 2, 0, 1}, {1, 2, 0, 0}}, {}}};
    VMPtr<AnimSet> set = readSet(model);
    set->setGobs(kvtest::gobArray({kvtest::pixelGob(2, 2, -1, -1, {R, G, B, W}), kvtest::pixelGob(1, 1, 0, 0, {C})}));
    const struct {
        int32_t flags;
        std::vector<std::pair<int32_t, int32_t>> at;  // (index, colour) of the touched pixels
    } cases[] = {
        {0, {{3 * 8 + 5, B}, {3 * 8 + 6, W}, {4 * 8 + 5, R}, {4 * 8 + 6, C}}},
        {2, {{3 * 8 + 1, W}, {3 * 8 + 2, B}, {4 * 8 + 1, C}, {4 * 8 + 2, R}}},  // both mirrors on the first gob
        {1, {{3 * 8 + 5, R}, {3 * 8 + 6, C}, {4 * 8 + 5, B}, {4 * 8 + 6, W}}},
    };
    for (const auto& c : cases) {
        VMPtr<kvtest::Image> canvas = kvtest::blankImage(8, 8);
        set->paintFrame(canvas->getGraphics(), 0, 4, 4, c.flags);
        std::vector<int32_t> expected(64, K);
        for (const auto& [index, colour] : c.at) expected[size_t(index)] = colour;
        EXPECT_EQ(kvtest::pixelsOf(canvas), expected) << c.flags;
    }
}

TEST_F(AnimSetTest, MissingGobsAreNeitherPaintedNorMeasured) {
    VMPtr<AnimSet> set = readSet(boundsModel());
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(4);
    VMPtr<kvtest::Image> canvas = kvtest::blankImage(8, 8);
    set->paintFrame(canvas->getGraphics(), 0, 4, 4, 0);  // no gob array at all
    set->setGobs(boundsGobs());
    set->paintFrame(canvas->getGraphics(), 3, 4, 4, 0);  // gob 7 of two
    EXPECT_EQ(kvtest::pixelsOf(canvas), std::vector<int32_t>(64, K));
    set->getFrameBounds(3, 0, out);
    EXPECT_EQ(kvtest::boundsOf(out), (std::vector<int32_t>{0x7FFFFFFF, 0x7FFFFFFF, 0, 0}));
    VMPtr<AnimSet> unread = AnimSet::_VM_new();  // made by its factory: no tables, no valid index
    unread->_VM_init();
    EXPECT_THAT(thrown([&] { unread->paintFrame(canvas->getGraphics(), 0, 0, 0, 0); }),
                HasSubstr("ArrayIndexOutOfBoundsException"));
    EXPECT_EQ(unread->getAnimationDuration(0), 0);
    VMPtr<AnimSet> shared = set->withGobs(nullptr);
    EXPECT_EQ(shared->animFrames.get(), set->animFrames.get());
    shared->getFrameBounds(0, 0, out);
    EXPECT_EQ(kvtest::boundsOf(out), (std::vector<int32_t>{0x7FFFFFFF, 0x7FFFFFFF, 0, 0}));
}

}  // namespace
