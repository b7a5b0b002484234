#include <gtest/gtest.h>

#include <cstdlib>

#include "hal/base/Locale.h"
#include "hal/base/Memory.h"

namespace {

TEST(Locale, PosixNamesMapToTheSupportedLanguagesAndEveryOtherToAmericanEnglish) {
    const std::pair<const char*, const char*> names[] = {
        {"it_IT.UTF-8", "it-it"}, {"fr_FR", "fr-fr"},    {"pt_PT.UTF-8@euro", "pt-pt"}, {"de_DE.UTF-8", "de-de"},
        {"es_ES", "es-es"},       {"ru_RU.UTF-8", "ru"}, {"ru", "ru"},                   {"pt_BR.UTF-8", "en-us"},
        {"de_AT", "en-us"},       {"ja_JP.UTF-8", "en-us"}, {"C", "en-us"},              {"", "en-us"},
        {nullptr, "en-us"}};
    for (const auto& [posix, text] : names) EXPECT_STREQ(HAL_localeTextFor(posix), text) << (posix ? posix : "null");
}

TEST(Locale, TheUserLocaleComesFromTheEnvironmentAsACountedBlock) {
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    const uint64_t before = HAL_getAllocatedBytes();
    char* text = HAL_getLocale();
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "ru");
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 3 + 16);
    HAL_free(text);
    unsetenv("LC_ALL");
}

}  // namespace
