#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hal/host/InputTranslator.h"

namespace {

using namespace host;

// Keys with their repeat bits and the stylus as the touch screen are seen end to end (the
// shell's input test); here, what it does not reach.
TEST(InputTranslator, PrintableCharactersFocusAndCloseBecomeMessages) {
    MessageQueue queue;
    InputTranslator input(&queue);
    input.character(u'a');
    input.character(u'\r');  // not printable: dropped, as is DEL
    input.character(char16_t(0x7F));
    input.focus(false);
    input.focus(true);
    input.close();
    std::vector<std::pair<uint32_t, uint64_t>> messages;
    for (HostMessage m{}; queue.take(&m);) messages.emplace_back(m.message, m.message == kMsgClose ? 0 : m.wParam);
    EXPECT_EQ(messages, (std::vector<std::pair<uint32_t, uint64_t>>{
                            {kMsgChar, u'a'}, {kMsgActivate, kInactive}, {kMsgActivate, kActive}, {kMsgClose, 0}}));
}

}  // namespace
