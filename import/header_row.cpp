// The header-row rule; see header_row.h.
#include "import/header_row.h"

namespace dataimport {

HeaderRowLimits headerRowLimits(const QString& firstRowText)
{
    HeaderRowLimits limits;
    bool ok = false;
    const int n = firstRowText.trimmed().toInt(&ok, 10);
    if (!ok) return limits;
    limits.applies = true;
    if (n < 2) {
        limits.enabled = false;
        limits.resetToZero = true;
    } else {
        limits.enabled = true;
        limits.maximum = n - 1;
    }
    return limits;
}

}  // namespace dataimport
