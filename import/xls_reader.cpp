// ".xls" workbooks (BIFF2 to BIFF8) through FreeXL. FreeXL hands dates and
// times over as ISO texts; they are turned back into serial numbers with a
// date format so they sort and chart as numbers.
#include "import/workbook_readers.h"

#include "components/sheet/cell_address.h"

#include <QFile>
#include <QRegularExpression>
#include <freexl.h>

#include <algorithm>

namespace dataimport {

namespace {

QString freexlReason(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return QStringLiteral("the file does not exist or cannot be opened");
    case FREEXL_INSUFFICIENT_MEMORY: return QStringLiteral("not enough memory");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE: return QStringLiteral("not an Excel 97-2003 workbook");
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR: return QStringLiteral("the file cannot be read (truncated?)");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return QStringLiteral("the file holds no workbook");
    case FREEXL_CRAFTED_FILE: return QStringLiteral("the file is corrupted");
    default: return QStringLiteral("the workbook is damaged or of an unsupported kind (FreeXL error %1)").arg(code);
    }
}

// Closes the FreeXL handle on every way out.
struct XlsHandle {
    const void* handle = nullptr;
    ~XlsHandle() { if (handle) freexl_close(handle); }
};

// FreeXL's "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS" as a serial number.
bool serialFromIsoText(const char* text, double& serial)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(\\d{4})-(\\d{2})-(\\d{2}))?\\s*(?:(\\d{2}):(\\d{2}):(\\d{2}(?:\\.\\d+)?))?$"));
    const auto match = pattern.match(QString::fromUtf8(text));
    if (!match.hasMatch()) return false;
    const bool hasDate = !match.captured(1).isEmpty();
    const int hour = match.captured(4).toInt();
    const int minute = match.captured(5).toInt();
    const double second = match.captured(6).toDouble();
    if (hasDate) {
        serial = serialFromDateTime(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                                    hour, minute, second);
    } else {
        serial = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    }
    return true;
}

// The cell a FreeXL value holds; false for an empty cell. Dates and times
// become serial numbers with a date format; one that cannot be read stays text.
bool cellFromValue(const FreeXL_CellValue& value, sheet::CellData& cell)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        cell.kind = sheet::CellKind::Number;
        cell.number = value.value.int_value;
        return true;
    case FREEXL_CELL_DOUBLE:
        cell.kind = sheet::CellKind::Number;
        cell.number = value.value.double_value;
        return true;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        cell.kind = sheet::CellKind::Text;
        cell.text = QString::fromUtf8(value.value.text_value);
        return true;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        double serial = 0.0;
        if (serialFromIsoText(value.value.text_value, serial)) {
            cell.kind = sheet::CellKind::Number;
            cell.number = serial;
            cell.format = value.type == FREEXL_CELL_DATE     ? QStringLiteral("yyyy-mm-dd")
                          : value.type == FREEXL_CELL_TIME   ? QStringLiteral("hh:mm:ss")
                                                             : QStringLiteral("yyyy-mm-dd hh:mm:ss");
        } else {
            cell.kind = sheet::CellKind::Text;
            cell.text = QString::fromUtf8(value.value.text_value);
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

void readXlsWorkbook(const QString& path, CellSink& sink)
{
    XlsHandle xls;
    const QByteArray nativePath = QFile::encodeName(path);
    int rc = freexl_open(nativePath.constData(), &xls.handle);
    if (rc != FREEXL_OK) {
        xls.handle = nullptr;
        throw WorkbookReadError{freexlReason(rc)};
    }
    unsigned int sheetCount = 0;
    rc = freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
    if (rc != FREEXL_OK) throw WorkbookReadError{freexlReason(rc)};
    unsigned int passwordFlag = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &passwordFlag) == FREEXL_OK && passwordFlag == FREEXL_BIFF_OBFUSCATED)
        throw WorkbookReadError{QStringLiteral("the workbook is protected by a password")};

    for (unsigned int s = 0; s < sheetCount && s < 65535; ++s) {
        const auto index = static_cast<unsigned short>(s);
        const char* name = nullptr;
        QString sheetName;
        if (freexl_get_worksheet_name(xls.handle, index, &name) == FREEXL_OK && name) sheetName = QString::fromUtf8(name);
        if (sheetName.isEmpty()) sheetName = QStringLiteral("Sheet%1").arg(s + 1);
        rc = freexl_select_active_worksheet(xls.handle, index);
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (rc == FREEXL_OK) rc = freexl_worksheet_dimensions(xls.handle, &rows, &columns);
        if (rc != FREEXL_OK) throw WorkbookReadError{QStringLiteral("sheet %1: %2").arg(sheetName, freexlReason(rc))};
        sink.beginSheet(sheetName);
        const unsigned int lastRow = std::min<unsigned int>(rows, sheet::kMaxRows);
        const unsigned short lastColumn = std::min<unsigned short>(columns, sheet::kMaxCols);
        for (unsigned int r = 0; r < lastRow; ++r) {
            for (unsigned short c = 0; c < lastColumn; ++c) {
                FreeXL_CellValue value;
                rc = freexl_get_cell_value(xls.handle, r, c, &value);
                if (rc != FREEXL_OK)
                    throw WorkbookReadError{QStringLiteral("sheet %1, cell %2/%3: %4").arg(sheetName).arg(r + 1).arg(c + 1).arg(freexlReason(rc))};
                sheet::CellData cell;
                if (!cellFromValue(value, cell)) continue;  // empty cell
                cell.row = static_cast<int>(r) + 1;
                cell.col = c + 1;
                sink.addCell(cell);
            }
        }
    }
    if (sink.sheetCount() == 0) sink.beginSheet(QStringLiteral("Sheet1"));
}

}  // namespace dataimport
