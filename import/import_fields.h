// The import fields of the main window as plain values: what an import, an
// import template and the settings file's import section work on.
#pragma once

#include <QString>
#include <functional>

namespace dataimport {

struct ImportFields {
    QString separator;                          // separatorBox: column separator, used verbatim
    QString startColumn = QStringLiteral("1");  // startColumnEdit: "3" or "$C"
    QString endColumn;                          // endColumnEdit: same forms; empty for no limit
    QString firstRow = QStringLiteral("1");     // firstRowEdit
    QString lastRow;                            // lastRowEdit
    QString xColumn;                            // xColumnEdit
    int headerRow = 0;                          // headerRowSpin (0: no header row)
    QString fileName;                           // fileNameBox
    QString graphTitle = QStringLiteral("Auswertung");  // chartTitleEdit
    QString xTitle = QStringLiteral("Zeitraum");        // xTitleEdit
    QString yTitle = QStringLiteral("Werte");           // yTitleEdit
    // Specification limits and target as typed; empty for none.
    QString lowerLimit;                         // lowerLimitEdit
    QString upperLimit;                         // upperLimitEdit
    QString target;                             // targetEdit

    bool operator==(const ImportFields&) const = default;
};

// Progress of a long import: bytes done of the total. Returning false cancels;
// the rows read so far stay in the grid.
using ProgressCallback = std::function<bool(qint64 done, qint64 total)>;

}  // namespace dataimport
