#include "hal/base/Locale.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "hal/base/Memory.h"

namespace {

struct LanguageMapping {
    const char* language;
    const char* territory;
    const char* text;
};

constexpr LanguageMapping kMappings[] = {
    {"it", "IT", "it-it"}, {"fr", "FR", "fr-fr"}, {"pt", "PT", "pt-pt"},
    {"de", "DE", "de-de"}, {"es", "ES", "es-es"}, {"ru", "RU", "ru"},
};

constexpr const char* kDefaultLocaleText = "en-us";

const char* userLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

}  // namespace

const char* HAL_localeTextFor(const char* posixName) {
    if (posixName == nullptr) return kDefaultLocaleText;
    const std::string name(posixName, std::strcspn(posixName, ".@"));
    const size_t separator = name.find('_');
    const std::string language = name.substr(0, separator);
    const std::string territory = separator == std::string::npos ? "" : name.substr(separator + 1);
    for (const LanguageMapping& mapping : kMappings) {
        if (language == mapping.language && (territory.empty() || territory == mapping.territory))
            return mapping.text;
    }
    return kDefaultLocaleText;
}

char* HAL_getLocale() {
    const char* text = HAL_localeTextFor(userLocaleName());
    const size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(HAL_malloc(size));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}
