// plotwise-report's run: the path the main window and the chart windows take
// (import, chart command, visible span, computation fill, the three charts,
// statistics), driven by the command line instead of the mouse.
#pragma once

#include "report/report_options.h"

#include <QString>

namespace report {

enum ExitStatus : int {
    ExitOk = 0,
    ExitFileError = 1,    // a file could not be read or written
    ExitUsage = 2,        // bad arguments
    ExitNoData = 3,       // the visible span holds no numeric row, or more rows than the computation grid
};

struct RunResult {
    ExitStatus status = ExitOk;
    QString message;      // for standard error; empty on success
};

// Runs the report; needs a QApplication (the charts are widgets, never shown).
RunResult runReport(const ReportOptions& options);

}  // namespace report
