// RGB filters run last pixel first and spare only the exact colour key; new rectangles are
// empty kind-3 boxes; colours are instantiable.

#include <gtest/gtest.h>

#include "src/kv/graphics/kv_graphics_Color.h"
#include "src/kv/graphics/kv_graphics_RGBFilter.h"
#include "src/kv/graphics/kv_graphics_Rect.h"
#include "tests/kv/PaintSupport.h"

namespace kvtest {

// Adds one to each pixel and records the order of the calls.
class PlusOne : public kv::graphics::RGBFilter {
    VM_CLASS(PlusOne, kv::graphics::RGBFilter)
    int32_t filter(int32_t argb) override {
        seen.push_back(argb);
        return int32_t(uint32_t(argb) + 1);
    }
    std::vector<int32_t> seen;
};
VM_DEFINE_CLASS(PlusOne, "kvtest.PlusOne", "kv.graphics.RGBFilter", VM_NO_CLINIT)

}  // namespace kvtest

namespace {

class RGBFilterTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(RGBFilterTest, SparesTheColourKeyOnly) {
    VMPtr<kvtest::PlusOne> filter = kvtest::PlusOne::_VM_new();
    VMPtr<kvtest::IntArray> argb = kvtest::ints({0x00FF00FF, int32_t(0xFFFF00FF), 0});
    kv::graphics::RGBFilter::apply(filter, argb);
    EXPECT_EQ(kvtest::vec(argb, 3), (std::vector<int32_t>{0x00FF00FF, int32_t(0xFFFF0100), 1}));
    EXPECT_EQ(filter->seen, (std::vector<int32_t>{0, int32_t(0xFFFF00FF)}));
    kv::graphics::RGBFilter::apply(filter, kvtest::ints({}));
    EXPECT_EQ(filter->seen.size(), 2u);
}

TEST_F(RGBFilterTest, RectIsAnEmptyRectangleBoxAndColorIsInstantiable) {
    VMPtr<java::lang::Object> rect = kv::graphics::Rect::_VM_newInstance();
    auto* box = dynamic_cast<kv::graphics::Rect*>(rect.get());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getKind(), 3);
    EXPECT_TRUE(box->isEmpty());
    EXPECT_NE(dynamic_cast<kv::graphics::Color*>(kv::graphics::Color::_VM_newInstance().get()), nullptr);
}

}  // namespace
