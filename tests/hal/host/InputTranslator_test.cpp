#include <gtest/gtest.h>

#include <vector>

#include "hal/host/InputTranslator.h"

namespace {

using namespace host;

std::vector<HostMessage> drain(MessageQueue& queue) {
    std::vector<HostMessage> out;
    HostMessage m{};
    while (queue.take(&m)) out.push_back(m);
    return out;
}

TEST(InputTranslator, KeysCarryRepeatAndTransitionBits) {
    MessageQueue queue;
    InputTranslator input(&queue);
    input.keyDown(kVkLeft);
    input.keyDown(kVkLeft);  // held: a repeat
    input.keyUp(kVkLeft);
    const auto messages = drain(queue);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, kMsgKeyDown);
    EXPECT_EQ(messages[0].wParam, kVkLeft);
    EXPECT_EQ(messages[0].lParam, keyParam(1, false, false));
    EXPECT_EQ(messages[1].lParam & (1 << 30), 1 << 30) << "previous state: down";
    EXPECT_EQ(messages[2].message, kMsgKeyUp);
    EXPECT_EQ(uint32_t(messages[2].lParam) >> 31, 1u);
}

TEST(InputTranslator, OnlyPrintableCharactersBecomeCharacterMessages) {
    MessageQueue queue;
    InputTranslator input(&queue);
    input.character(u'a');
    input.character(u'\r');
    input.character(char16_t(0x7F));
    const auto messages = drain(queue);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, kMsgChar);
    EXPECT_EQ(messages[0].wParam, u'a');
}

TEST(InputTranslator, ThePointerIsTheTouchScreen) {
    MessageQueue queue;
    InputTranslator input(&queue);
    input.pointerMove(1, 1);  // hovering: no button
    input.pointerDown(10, 300);
    input.pointerMove(12, 301);
    input.pointerUp(12, 301);
    const auto messages = drain(queue);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].wParam, 0u);
    EXPECT_EQ(messages[1].message, kMsgLeftButtonDown);
    EXPECT_EQ(pointX(messages[1].lParam), 10);
    EXPECT_EQ(pointY(messages[1].lParam), 300);
    EXPECT_EQ(messages[2].message, kMsgMouseMove);
    EXPECT_EQ(messages[2].wParam, 1u) << "dragging";
    EXPECT_EQ(messages[3].message, kMsgLeftButtonUp);
}

TEST(InputTranslator, FocusAndClose) {
    MessageQueue queue;
    InputTranslator input(&queue);
    input.focus(false);
    input.focus(true);
    input.close();
    const auto messages = drain(queue);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, kMsgActivate);
    EXPECT_EQ(messages[0].wParam, kInactive);
    EXPECT_EQ(messages[1].wParam, kActive);
    EXPECT_EQ(messages[2].message, kMsgClose);
}

}  // namespace
