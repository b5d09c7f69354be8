// ".xlsx" writer of the spreadsheet component on top of libxlsxwriter.
//
// libxlsxwriter writes straight to the path it is given, so the workbook is
// built in a temporary file beside the target and then moved over it through
// QSaveFile: a failed save never leaves a half-written file under the user's
// name.
#include "components/sheet/xlsx_writer.h"

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace sheet {

namespace {

// Large sheets are streamed row by row (libxlsxwriter's constant-memory mode);
// small ones keep the usual shared-string layout.
constexpr size_t kStreamingCellCount = 200000;

[[noreturn]] void failWrite(const QString& path, const QString& reason)
{
    throw SheetError(QStringLiteral("cannot write %1: %2").arg(path, reason));
}

QString libraryReason(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

// Owns the libxlsxwriter workbook until it is closed (closing writes the file).
class XlsxBook {
public:
    XlsxBook(const QString& tempPath, bool streaming)
    {
        lxw_workbook_options options = {};
        options.constant_memory = streaming ? LXW_TRUE : LXW_FALSE;
        options.use_zip64 = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(tempPath).constData(), &options);
    }
    ~XlsxBook()
    {
        if (m_book)
            workbook_close(m_book);  // only after a failure: discards the half-built book
    }
    lxw_workbook* get() const { return m_book; }
    lxw_error close()
    {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        return workbook_close(book);
    }

private:
    lxw_workbook* m_book = nullptr;
};

// A sheet name as a reference prefix: bare when it is a plain word, else in
// apostrophes with inner apostrophes doubled.
QString quotedSheetName(const QString& name)
{
    bool plain = !name.isEmpty() && !name[0].isDigit();
    for (const QChar c : name)
        plain = plain && (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.'));
    // A name that reads as a cell ("AB12") or as an R1C1 reference must be quoted too.
    static const QRegularExpression looksLikeCell(QStringLiteral("^([A-Za-z]{1,3}[0-9]+|[Rr][0-9]*([Cc][0-9]*)?|[Cc][0-9]*)$"));
    if (plain && !looksLikeCell.match(name).hasMatch())
        return name;
    QString escaped = name;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

void writeSheet(const QString& path, lxw_workbook* book, lxw_worksheet* ws, const SheetData& sheet)
{
    QHash<QString, lxw_format*> formats;
    auto formatFor = [&](const QString& code) -> lxw_format* {
        if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
            return nullptr;
        auto it = formats.find(code);
        if (it != formats.end())
            return it.value();
        lxw_format* f = workbook_add_format(book);
        format_set_num_format(f, code.toUtf8().constData());
        formats.insert(code, f);
        return f;
    };

    // Streaming mode drops cells written out of row order, so visit them sorted.
    const std::vector<CellData>& cells = sheet.cells;
    const std::vector<size_t> order = rowMajorOrder(cells);

    for (size_t index : order) {
        const CellData& c = cells[index];
        const lxw_row_t row = lxw_row_t(c.row - 1);
        const lxw_col_t col = lxw_col_t(c.col - 1);
        lxw_format* format = formatFor(c.format);
        lxw_error err = LXW_NO_ERROR;
        switch (c.kind) {
        case CellKind::Number:
            if (std::isfinite(c.number))
                err = worksheet_write_number(ws, row, col, c.number, format);
            else
                err = worksheet_write_string(ws, row, col, "#NUM!", format);
            break;
        case CellKind::Text:
            err = worksheet_write_string(ws, row, col, c.text.toUtf8().constData(), format);
            break;
        case CellKind::Boolean:
            err = worksheet_write_boolean(ws, row, col, c.number != 0.0, format);
            break;
        case CellKind::Error:
            err = worksheet_write_string(ws, row, col, errorName(c.error).toUtf8().constData(), format);
            break;
        case CellKind::Formula: {
            const QString formula = c.text.startsWith(QLatin1Char('=')) ? c.text : QLatin1Char('=') + c.text;
            err = worksheet_write_formula_num(ws, row, col, formula.toUtf8().constData(), format,
                                              std::isfinite(c.number) ? c.number : 0.0);
            break;
        }
        case CellKind::Empty:
            if (format)
                err = worksheet_write_blank(ws, row, col, format);
            break;
        }
        if (err != LXW_NO_ERROR)
            failWrite(path, QStringLiteral("sheet \"%1\", row %2, column %3: %4")
                                .arg(sheet.name).arg(c.row).arg(c.col).arg(libraryReason(err)));
    }
}

}  // namespace

void writeXlsx(const QString& path, const WorkbookData& data)
{
    // The temporary file lies beside the target so the final move stays on one disk.
    const QFileInfo target(path);
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".plotwise-xlsx-XXXXXX")));
    if (!temp.open())
        failWrite(path, temp.errorString());
    const QString tempPath = temp.fileName();
    temp.close();

    size_t cellCount = 0;
    for (const SheetData& s : data.sheets)
        cellCount += s.cells.size();

    {
        XlsxBook book(tempPath, cellCount > kStreamingCellCount);
        if (!book.get())
            failWrite(path, QStringLiteral("cannot create the workbook"));

        std::vector<SheetData> fallback;
        const std::vector<SheetData>* sheets = &data.sheets;
        if (sheets->empty()) {
            fallback.push_back(SheetData{QStringLiteral("Sheet1"), {}});
            sheets = &fallback;
        }
        for (const SheetData& sheet : *sheets) {
            const QByteArray name = sheet.name.toUtf8();
            const lxw_error nameError = workbook_validate_sheet_name(book.get(), name.constData());
            if (nameError != LXW_NO_ERROR)
                failWrite(path, QStringLiteral("sheet name \"%1\": %2").arg(sheet.name, libraryReason(nameError)));
            lxw_worksheet* ws = workbook_add_worksheet(book.get(), name.constData());
            if (!ws)
                failWrite(path, QStringLiteral("cannot add sheet \"%1\"").arg(sheet.name));
            writeSheet(path, book.get(), ws, sheet);
        }

        const QString firstSheet = quotedSheetName((*sheets)[0].name);
        for (const DefinedNameData& n : data.names) {
            QString formula = n.definition.trimmed();
            if (formula.startsWith(QLatin1Char('=')))
                formula.remove(0, 1);
            if (!formula.contains(QLatin1Char('!')))
                formula = firstSheet + QLatin1Char('!') + formula;
            const lxw_error err = workbook_define_name(book.get(), n.name.toUtf8().constData(),
                                                       (QLatin1Char('=') + formula).toUtf8().constData());
            if (err != LXW_NO_ERROR)
                failWrite(path, QStringLiteral("defined name \"%1\": %2").arg(n.name, libraryReason(err)));
        }

        const lxw_error closeError = book.close();
        if (closeError != LXW_NO_ERROR)
            failWrite(path, libraryReason(closeError));
    }

    // Move the finished file over the target in one step.
    QFile built(tempPath);
    if (!built.open(QIODevice::ReadOnly))
        failWrite(path, built.errorString());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        failWrite(path, out.errorString());
    while (!built.atEnd()) {
        const QByteArray chunk = built.read(1 << 20);
        if (chunk.isEmpty() && built.error() != QFileDevice::NoError)
            failWrite(path, built.errorString());
        if (out.write(chunk) != chunk.size()) {
            const QString reason = out.errorString();
            out.cancelWriting();
            failWrite(path, reason);
        }
    }
    if (!out.commit())
        failWrite(path, out.errorString());
}

}  // namespace sheet
