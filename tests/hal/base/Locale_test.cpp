#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "hal/base/Locale.h"
#include "hal/base/Memory.h"

namespace {

TEST(Locale, PosixNamesMapToTheSupportedLanguages) {
    EXPECT_STREQ(HAL_localeTextFor("it_IT.UTF-8"), "it-it");
    EXPECT_STREQ(HAL_localeTextFor("fr_FR"), "fr-fr");
    EXPECT_STREQ(HAL_localeTextFor("pt_PT.UTF-8@euro"), "pt-pt");
    EXPECT_STREQ(HAL_localeTextFor("de_DE.UTF-8"), "de-de");
    EXPECT_STREQ(HAL_localeTextFor("es_ES"), "es-es");
    EXPECT_STREQ(HAL_localeTextFor("ru_RU.UTF-8"), "ru");
    EXPECT_STREQ(HAL_localeTextFor("ru"), "ru");
}

TEST(Locale, EveryOtherLanguageOrVariantIsAmericanEnglish) {
    EXPECT_STREQ(HAL_localeTextFor("pt_BR.UTF-8"), "en-us");
    EXPECT_STREQ(HAL_localeTextFor("de_AT"), "en-us");
    EXPECT_STREQ(HAL_localeTextFor("ja_JP.UTF-8"), "en-us");
    EXPECT_STREQ(HAL_localeTextFor("C"), "en-us");
    EXPECT_STREQ(HAL_localeTextFor(""), "en-us");
    EXPECT_STREQ(HAL_localeTextFor(nullptr), "en-us");
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
