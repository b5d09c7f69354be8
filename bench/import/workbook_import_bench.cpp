// A workbook import as the window runs it (the reader program in a child
// process, the answer into the import grid), timed. Run by hand:
//   /usr/bin/time -v bench/import/workbook_import_bench FILE
// with PLOTWISE_WORKBOOK_READER unset the program beside plotwise is used
// when this runs from build/bench/import, so it is set by bench/import/workbook_read.sh.
#include "import/import_file.h"

#include "components/sheet/spreadsheet.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: workbook_import_bench FILE\n");
        return 2;
    }
    sheet::Spreadsheet grid;
    QElapsedTimer timer;
    timer.start();
    const dataimport::ImportResult r = dataimport::importFile(QString::fromLocal8Bit(argv[1]), dataimport::ImportFields{}, grid);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!r.ok()) {
        std::printf("refused after %.3f s: %s\n", seconds, qPrintable(r.errorText));
        return 1;
    }
    std::printf("read %d rows in %.3f s\n", r.lastDataRow.value_or(0), seconds);
    return 0;
}
