#pragma once

// The user's locale as the text that becomes "microedition.locale": "it-it", "fr-fr",
// "pt-pt", "de-de", "es-es", "ru" or, for every other language, "en-us".

// Maps a POSIX locale name ("de_DE.UTF-8", "ru", "C") to the locale text. A territory
// other than the language's own (de_AT) is another language variant: "en-us".
const char* HAL_localeTextFor(const char* posixName);

// The locale text of the user's language (LC_ALL, LC_MESSAGES, then LANG) as a new counted
// block (free it with HAL_free); null when out of memory.
char* HAL_getLocale();
