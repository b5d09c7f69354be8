// The text file import; see text_import.h. Works on the raw bytes of each
// line: the separator is encoded once in the file's encoding, numbers are
// parsed straight from the bytes, and only text fields are decoded.
#include "import/text_import.h"

#include "import/field_scan.h"
#include "import/line_reader.h"
#include "import/text_encoding.h"

#include "components/sheet/spreadsheet.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace dataimport {

namespace {

constexpr qint64 kProgressStep = 256 * 1024;  // bytes between progress reports

QString displayName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

TextImportOutcome failure(const QString& path, const QString& reason, qint64 lines)
{
    TextImportOutcome out;
    out.status = TextImportOutcome::Status::Failed;
    out.linesRead = lines;
    out.error = QStringLiteral("%1: %2").arg(displayName(path), reason);
    return out;
}

// The separator and the decimal separator as bytes of the file's encoding.
struct FileBytes {
    QByteArray separatorBytes;      // empty: the file cannot hold the separator, so it never occurs
    std::size_t firstCharBytes = 1; // bytes of the separator's first character
    QByteArray decimalBytes;

    std::string_view separator() const { return {separatorBytes.constData(), size_t(separatorBytes.size())}; }
    std::string_view decimal() const { return {decimalBytes.constData(), size_t(decimalBytes.size())}; }
};

FileBytes encodeForFile(const TextImportOptions& options, TextEncoding encoding)
{
    FileBytes out;
    if (!encodeText(options.separator, encoding, out.separatorBytes)) out.separatorBytes.clear();
    if (!out.separatorBytes.isEmpty()) {
        const QString first = options.separator.left(options.separator[0].isHighSurrogate() ? 2 : 1);
        QByteArray firstBytes;
        encodeText(first, encoding, firstBytes);
        out.firstCharBytes = static_cast<std::size_t>(firstBytes.size());
    }
    if (!encodeText(QString(options.decimalSeparator), encoding, out.decimalBytes)) out.decimalBytes = ".";
    return out;
}

}  // namespace

TextImportOutcome importTextFile(const QString& path, const TextImportOptions& options,
                                 sheet::Spreadsheet& grid, const ProgressCallback& progress)
{
    grid.setNumSheets(1);
    grid.setSheetName(1, QStringLiteral("ASCII Import"));
    grid.setActiveSheet(1);

    const QFileInfo info(path);
    if (!info.exists()) return failure(path, QStringLiteral("the file does not exist"), 0);
    // Directories and devices have no end a text import could reach.
    if (!info.isFile()) return failure(path, QStringLiteral("not a regular file"), 0);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(path, file.errorString(), 0);

    TextEncoding encoding = TextEncoding::Utf8;
    QString error;
    if (!detectEncoding(file, encoding, error) || !file.seek(0)) {
        return failure(path, error.isEmpty() ? file.errorString() : error, 0);
    }

    const FileBytes bytes = encodeForFile(options, encoding);
    const std::string_view sep = bytes.separator();
    const std::size_t firstCharBytes = bytes.firstCharBytes;
    const std::string_view decimal = bytes.decimal();

    const qint64 skip = options.startColumn - 1;
    const qint64 maxColumns = options.endColumn - options.startColumn + 1;

    grid.clearRange(-1, -1, -1, -1, sheet::ClearKind::All);

    const qint64 total = info.size();
    qint64 nextReport = kProgressStep;
    LineReader reader(file);
    std::string_view line;
    qint64 row = 0;
    // The grid's limits, learnt from the first cell it refuses: later lines
    // skip what cannot be stored instead of being refused cell by cell.
    qint64 rowLimit = std::numeric_limits<int>::max();
    qint64 columnLimit = std::numeric_limits<int>::max();
    while (reader.next(line)) {
        ++row;
        std::string_view rest = line;
        if (row > rowLimit) rest = std::string_view();
        for (qint64 k = 0; k < skip && !rest.empty(); ++k) rest = nextFieldBytes(sep, firstCharBytes, rest).rest;
        qint64 column = 0;
        while (!rest.empty() && column < maxColumns && column < columnLimit) {
            const FieldStep step = nextFieldBytes(sep, firstCharBytes, rest);
            rest = step.rest;
            const std::string_view field = trimBlanks(stripQuotesBytes(step.field));
            ++column;
            try {
                double value = 0.0;
                if (parseNumberBytes(field, decimal, value)) {
                    grid.setNumber(static_cast<int>(row), static_cast<int>(column), value);
                } else {
                    grid.setText(static_cast<int>(row), static_cast<int>(column), decodeBytes(field, encoding));
                }
            } catch (const sheet::SheetError&) {
                // Rows and columns past the grid's limits are the grid's
                // affair: its refused cells are left out, the line still counts.
                if (column == 1) rowLimit = row - 1;
                else columnLimit = column - 1;
                break;
            }
        }
        if (progress && reader.bytesConsumed() >= nextReport) {
            nextReport = reader.bytesConsumed() + kProgressStep;
            // A file that grows while it is read never reports more than all.
            if (!progress(std::min(reader.bytesConsumed(), total), total)) {
                TextImportOutcome out;
                out.status = TextImportOutcome::Status::Cancelled;
                out.linesRead = row;
                return out;
            }
        }
    }
    if (reader.failed()) return failure(path, reader.errorString(), row);
    if (progress) progress(total, total);

    TextImportOutcome out;
    out.linesRead = row;
    return out;
}

}  // namespace dataimport
