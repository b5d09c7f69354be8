// Runs the foreign workbook readers in the reader program
// ("plotwise-workbook-reader", beside the executable), a short-lived child
// process that hands the cells back over a pipe. A crash or a hang inside a
// third-party library then ends only that process: the caller learns "the
// file is damaged" and keeps what it had.
#pragma once

#include "import/workbook_import.h"

#include "components/sheet/workbook_data.h"

#include <QString>

namespace dataimport {

// The reader program: $PLOTWISE_WORKBOOK_READER when set, else the program
// beside the running executable, else the one in ../libexec/plotwise.
QString workbookReaderProgram();

// Empty on success with the workbook in `out`; otherwise why not (without the
// file's name). `out` is only changed on success.
QString readWorkbookInReaderProgram(WorkbookKind kind, const QString& path, sheet::WorkbookData& out);

// The reader program's command-line name of a kind ("xls", "xlsx", "ods").
QString workbookKindName(WorkbookKind kind);

}  // namespace dataimport
