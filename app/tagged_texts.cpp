// The main window's tagged texts; see tagged_texts.h.
#include "app/tagged_texts.h"

#include "chart/shared_texts.h"

namespace app {

TaggedTexts::TaggedTexts()
{
    setLanguage(platform::Language::German);
}

void TaggedTexts::setLanguage(platform::Language language)
{
    m_texts.insert(kTitleCaption, chart::titleCaptionText(language));
    m_texts.insert(kImportSaveTitle, chart::saveTitleText(language, false));
    m_texts.insert(kStatisticsSaveTitle, chart::saveTitleText(language, true));
}

QString TaggedTexts::text(int tag) const
{
    return m_texts.value(tag);
}

bool TaggedTexts::setText(int tag, const QString& text)
{
    const auto it = m_texts.find(tag);
    if (it == m_texts.end())
        return false;
    *it = text;
    return true;
}

}  // namespace app
