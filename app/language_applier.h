// Puts a language table's texts on a window: tag 0 becomes the window's
// caption, every other tag goes to every object of the window that carries
// it, whichever layer built the window. Buttons, labels and line edits take
// it as their text, menu items and menus as their caption, pages of a tab
// widget as their tab text, and tool buttons as their tool tip. Tags no
// control carries may go to the main window's tagged texts.
#pragma once

#include "app/language_table.h"

#include <QString>

class QWidget;

namespace app {

class TaggedTexts;

void applyLanguageTable(QWidget& window, const LanguageTable& table, platform::Language language,
                        TaggedTexts* taggedTexts = nullptr);

// Reads the table at `path` (the shipped file named by
// LanguageTable::fileName() of the window) and applies it. A missing table
// changes nothing and says nothing; returns whether one was read.
bool applyLanguageFile(QWidget& window, const QString& path, platform::Language language,
                       TaggedTexts* taggedTexts = nullptr);

}  // namespace app
