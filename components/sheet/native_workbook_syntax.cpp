// Shared pieces of the native workbook file; see native_workbook_syntax.h.
#include "components/sheet/native_workbook_syntax.h"

#include "components/sheet/cell_address.h"

#include <algorithm>

namespace sheet::native {

void fail(const QString& reason)
{
    throw LineError{reason};
}

QString quoted(std::string_view text)
{
    constexpr size_t kShown = 40;
    QString shown = QString::fromUtf8(text.data(), qsizetype(std::min(text.size(), kShown)));
    if (text.size() > kShown)
        shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

bool isStorableName(std::string_view name)
{
    return name.size() <= kMaxNameBytes && isValidName(name);
}

}  // namespace sheet::native
