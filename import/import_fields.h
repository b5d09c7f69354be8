// The import fields of the main window as plain values: what an import, an
// import template and the settings file's import section work on.
#pragma once

#include <QString>
#include <functional>

namespace dataimport {

struct ImportFields {
    QString separator;                          // ComboBox1: column separator, used verbatim
    QString startColumn = QStringLiteral("1");  // Edit1: "3" or "$C"
    QString endColumn;                          // Edit2: same forms; empty for no limit
    QString firstRow = QStringLiteral("1");     // Edit3
    QString lastRow;                            // Edit4
    QString xColumn;                            // Xcol
    int headerRow = 0;                          // SpinEdit1 (0: no header row)
    QString fileName;                           // cboSelfile
    QString graphTitle = QStringLiteral("Auswertung");  // txtGraphTitle
    QString xTitle = QStringLiteral("Zeitraum");        // txtXtitle
    QString yTitle = QStringLiteral("Werte");           // txtYtitle

    bool operator==(const ImportFields&) const = default;
};

// Progress of a long import: bytes done of the total. Returning false cancels;
// the rows read so far stay in the grid.
using ProgressCallback = std::function<bool(qint64 done, qint64 total)>;

}  // namespace dataimport
