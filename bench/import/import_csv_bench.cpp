// Speed and memory of the text import. Writes a CSV of N lines with four
// numeric fields (the 1,000,000-line case is about 30 MB), then times
//   1. the file pass alone: encoding check, line splitting, field splitting
//      and number parsing, with no grid;
//   2. the whole import into a fresh Spreadsheet through importFile();
// and reports the resident memory the filled grid holds. A second mode reads
// one line of the given number of megabytes without a line end.
// Run by hand:
//   /usr/bin/time -v bench/import/import_csv_bench 1000000
//   /usr/bin/time -v bench/import/import_csv_bench longline 100
#include "import/field_scan.h"
#include "import/import_file.h"
#include "import/line_reader.h"
#include "import/text_encoding.h"

#include "components/sheet/spreadsheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Resident set size of this process in MiB, from /proc.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

QString writeCsv(const QTemporaryDir& dir, long lines)
{
    const QString path = dir.filePath(QStringLiteral("bench.csv"));
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    std::fputs("Charge;Messung 1;Messung 2;Messung 3\r\n", f);
    unsigned seed = 12345;
    auto next = [&] { seed = seed * 1103515245u + 12345u; return (seed >> 8) % 1000; };
    for (long i = 1; i < lines; ++i) {
        std::fprintf(f, "%ld;25.%03u;24.%03u;25.%03u\r\n", i, next(), next(), next());
    }
    std::fclose(f);
    return path;
}

// The file pass without a grid: what the import costs before any cell is stored.
void timeFilePass(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    dataimport::TextEncoding encoding;
    QString error;
    dataimport::detectEncoding(file, encoding, error);
    file.seek(0);
    dataimport::LineReader reader(file);
    std::string_view line;
    long lines = 0;
    long numbers = 0;
    double sum = 0;
    while (reader.next(line)) {
        ++lines;
        std::string_view rest = line;
        while (!rest.empty()) {
            const auto step = dataimport::nextFieldBytes(";", 1, rest);
            rest = step.rest;
            double v;
            if (dataimport::parseNumberBytes(dataimport::trimBlanks(dataimport::stripQuotesBytes(step.field)), ".", v)) {
                ++numbers;
                sum += v;
            }
        }
    }
    std::printf("file pass (no grid): %ld lines, %ld numbers, %.3f s (checksum %.1f)\n", lines, numbers,
                timer.nsecsElapsed() / 1e9, sum);
}

void timeImport(const QString& path)
{
    const double before = residentMiB();
    sheet::Spreadsheet grid;
    dataimport::ImportFields fields;
    fields.separator = QStringLiteral(";");
    long progressCalls = 0;
    QElapsedTimer timer;
    timer.start();
    const auto result = dataimport::importFile(path, fields, grid, [&](qint64, qint64) { ++progressCalls; return true; },
                                               dataimport::ImportEnvironment{nullptr, u'.'});
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double after = residentMiB();
    std::printf("import into F1Book: %s, LastDataRow %d, %d x %d cells, %.3f s, %ld progress calls\n",
                result.ok() ? "ok" : qPrintable(result.errorText), result.lastDataRow.value_or(0), grid.lastRow(), grid.lastCol(),
                seconds, progressCalls);
    std::printf("resident memory: %.1f MiB before, %.1f MiB after (grid holds %.1f MiB)\n", before, after,
                after - before);
}

void timeLongLine(long megabytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    {
        FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
        std::string chunk(1 << 20, 'x');
        for (long i = 0; i < megabytes; ++i) std::fwrite(chunk.data(), 1, chunk.size(), f);
        std::fclose(f);
    }
    sheet::Spreadsheet grid;
    dataimport::ImportFields fields;
    fields.separator = QStringLiteral(";");
    QElapsedTimer timer;
    timer.start();
    const auto result = dataimport::importFile(path, fields, grid, {}, dataimport::ImportEnvironment{nullptr, u'.'});
    std::printf("one %ld MB line without an end: %s, LastDataRow %d, %.3f s, resident %.1f MiB\n", megabytes,
                result.ok() ? "ok" : qPrintable(result.errorText), result.lastDataRow.value_or(0), timer.nsecsElapsed() / 1e9,
                residentMiB());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "longline") == 0) {
        timeLongLine(argc > 2 ? std::atol(argv[2]) : 100);
        return 0;
    }
    const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir dir;
    const QString path = writeCsv(dir, lines);
    std::printf("%ld lines, %.1f MB\n", lines, QFile(path).size() / 1e6);
    timeFilePass(path);
    timeImport(path);
    return 0;
}
