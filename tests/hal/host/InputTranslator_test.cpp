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

// Keys with their repeat bits and the stylus as the touch screen are seen end to end (the
// shell's input test); here, what it does not reach.
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
