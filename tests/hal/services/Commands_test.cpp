#include <gtest/gtest.h>

#include <string>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/services/HALCommand.h"

namespace {

TEST(Commands, ACommandHoldsItsOwnLabelAndBadArgumentsCreateNothing) {
    const uint64_t before = HAL_getAllocatedBytes();
    const char16_t label[] = {u'B', u'a', u'c', u'k', u'!'};  // no terminator
    HALCommand* command = nullptr;
    ASSERT_EQ(HAL_createCommand(&command, label, 4, 2, 7), 0);
    EXPECT_EQ(std::u16string(command->label->chars(), command->label->length()), u"Back");
    EXPECT_EQ(command->label->referenceCount(), 1) << "only the command's reference is left";
    EXPECT_EQ(command->type, 2);
    EXPECT_EQ(command->priority, 7);
    EXPECT_EQ(HAL_deleteCommand(command), 0);
    ASSERT_EQ(HAL_createCommand(&command, u"", 0, 1, 0), 0);
    EXPECT_EQ(command->label->length(), 0u) << "an empty label is an empty string";
    EXPECT_EQ(HAL_deleteCommand(command), 0);
    EXPECT_EQ(HAL_getAllocatedBytes(), before) << "label and command are freed";

    EXPECT_EQ(HAL_createCommand(&command, nullptr, 3, 1, 0), 2);
    EXPECT_EQ(HAL_createCommand(&command, u"x", -1, 1, 0), 2);
    EXPECT_EQ(HAL_createCommand(nullptr, u"x", 1, 1, 0), 2) << "a command nobody could delete";
    EXPECT_EQ(HAL_deleteCommand(nullptr), 2);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
}

}  // namespace
