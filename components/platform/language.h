// The two languages of the program's texts, the language a user's locale
// chooses on a first start, and the number the settings file stores for it.
#pragma once

namespace platform {

enum class Language { English, German };

// German for every German locale (de_DE 1031, de_AT 3079, de_CH 2055, ...),
// English for every other one.
Language languageForLocale(int localeId);

// The settings file's number of a language: 1 English, 2 German.
int storedLanguageNumber(Language language);

// The language of a stored number other than 0 (0 marks a first start and
// is the caller's to handle): 1 is English, any other number German.
Language languageFromStoredNumber(int number);

}  // namespace platform
