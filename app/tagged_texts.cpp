// The main window's tagged texts; see tagged_texts.h.
#include "app/tagged_texts.h"

#include "chart/shared_texts.h"

namespace app {

TaggedTexts::TaggedTexts()
{
    m_texts.insert(kTitleCaption, chart::titleCaptionText(platform::Language::German));
    // Both save titles start as the placeholder the language table replaces.
    m_texts.insert(kImportSaveTitle, QStringLiteral("lblmess"));
    m_texts.insert(kStatisticsSaveTitle, QStringLiteral("lblmess"));
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
