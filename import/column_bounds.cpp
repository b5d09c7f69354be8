// Column bounds of the text import; see column_bounds.h.
#include "import/column_bounds.h"

#include "components/sheet/spreadsheet.h"

#include "components/sheet/cell_address.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace dataimport {

namespace {

std::optional<qint64> decimalInteger(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    // The field holds a 32-bit integer.
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max()) return std::nullopt;
    return value;
}

std::optional<qint64> columnByFormula(const QString& reference, sheet::Spreadsheet& scratch)
{
    try {
        scratch.setFormula(1, 1, QStringLiteral("COLUMN(") + reference + QStringLiteral("1)"));
        if (!sheet::isNumeric(scratch.cellType(1, 1))) return std::nullopt;  // the reference did not evaluate
        const double value = scratch.number(1, 1);
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<qint32>::max()) return std::nullopt;
        return static_cast<qint64>(std::trunc(value));
    } catch (const sheet::SheetError&) {
        return std::nullopt;
    }
}

std::optional<qint64> columnByLetters(const QString& reference)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*\\$?([A-Za-z]{1,3})\\$?\\d*\\s*$"));
    const auto match = pattern.match(reference);
    if (!match.hasMatch()) return std::nullopt;
    // Three letters may go beyond the sheet's last column; the caller clamps.
    return sheet::columnNumber(match.capturedView(1), std::numeric_limits<int>::max());
}

}  // namespace

std::optional<qint64> columnFromText(const QString& text, sheet::Spreadsheet* scratch)
{
    if (text.startsWith(u'$')) {
        const QString reference = text.mid(1);
        return scratch ? columnByFormula(reference, *scratch) : columnByLetters(reference);
    }
    return decimalInteger(text);
}

ColumnBounds resolveColumnBounds(const QString& startText, const QString& endText, sheet::Spreadsheet* scratch)
{
    ColumnBounds bounds;
    bounds.start = columnFromText(startText, scratch).value_or(1);
    bounds.end = endText.isEmpty() ? kNoEndColumn : columnFromText(endText, scratch).value_or(kNoEndColumn);
    return bounds;
}

}  // namespace dataimport
