// Reading the pop-up lists; see popup_texts.h.
#include "app/popup_texts.h"

#include "app/language_table.h"

namespace app {

PopupTexts PopupTexts::parse(const QString& text)
{
    PopupTexts texts;
    for (QStringView line : textLines(text)) {
        if (line.startsWith(u';')) continue;
        const qsizetype separator = line.indexOf(u';');
        if (separator < 0) continue;
        bool isInteger = false;
        const int context = line.first(separator).trimmed().toInt(&isInteger);
        if (!isInteger) continue;
        texts.m_texts.insert(context, line.sliced(separator + 1).trimmed().toString());
    }
    return texts;
}

PopupTexts PopupTexts::read(const QString& path)
{
    QString text;
    if (!readTextFile(path, kMaxListBytes, text)) return {};
    return parse(text);
}

QString PopupTexts::fileName(platform::Language language)
{
    return language == platform::Language::German ? QStringLiteral("ovtchartPopGer.txt")
                                                  : QStringLiteral("ovtchartPopEng.txt");
}

}  // namespace app
