// Writer of the native workbook file (format: docs/workbook-format.md): checks
// first that the reader would take the content back, then writes it in blocks
// through a QSaveFile, so a failed write leaves the old file as it was.
#include "components/sheet/workbook_file.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/native_workbook_syntax.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace sheet {

using namespace native;

namespace {

void appendQuoted(std::string& out, const QString& text)
{
    out.push_back('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20) || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(static_cast<unsigned char>(c)));
                out += buf;
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

void appendAddress(std::string& out, int row, int col)
{
    appendColumnLetters(out, col);
    char digits[12];
    const auto res = std::to_chars(digits, digits + sizeof digits, row);
    out.append(digits, res.ptr);
}

void appendNumber(std::string& out, double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

// Refuses content the reader would refuse, before anything is written.
void checkWritable(const WorkbookData& data)
{
    QSet<QString> sheetNames;
    for (const SheetData& sheet : data.sheets) {
        const QString key = sheet.name.toLower();
        if (sheet.name.trimmed().isEmpty())
            throw QString(QStringLiteral("a sheet has no name"));
        if (sheetNames.contains(key))
            throw QStringLiteral("duplicate sheet name \"%1\"").arg(sheet.name);
        sheetNames.insert(key);
        bool sorted = true;
        quint64 lastKey = 0;
        for (const CellData& c : sheet.cells) {
            if (c.row < 1 || c.row > kMaxRows || c.col < 1 || c.col > kMaxCols)
                throw QStringLiteral("cell at row %1, column %2 of sheet \"%3\" is outside the sheet")
                    .arg(c.row).arg(c.col).arg(sheet.name);
            if (c.kind == CellKind::Error && c.error == ErrorCode::None)
                throw QStringLiteral("cell %1 of sheet \"%2\" is an error without an error code")
                    .arg(cellAddress(c.row, c.col), sheet.name);
            if (c.kind == CellKind::Formula && QStringView(c.text).mid(c.text.startsWith(QLatin1Char('=')) ? 1 : 0).trimmed().isEmpty())
                throw QStringLiteral("cell %1 of sheet \"%2\" has an empty formula")
                    .arg(cellAddress(c.row, c.col), sheet.name);
            const quint64 key = cellKey(c.row, c.col);
            if (key == lastKey)
                throw QStringLiteral("duplicate cell %1 in sheet \"%2\"").arg(cellAddress(c.row, c.col), sheet.name);
            if (key < lastKey)
                sorted = false;
            lastKey = key;
        }
        if (!sorted) {
            std::vector<quint64> keys;
            keys.reserve(sheet.cells.size());
            for (const CellData& c : sheet.cells)
                keys.push_back(cellKey(c.row, c.col));
            std::sort(keys.begin(), keys.end());
            const auto dup = std::adjacent_find(keys.begin(), keys.end());
            if (dup != keys.end())
                throw QStringLiteral("duplicate cell %1 in sheet \"%2\"")
                    .arg(cellAddress(int(*dup >> 16), int(*dup & 0xFFFF)), sheet.name);
        }
    }
    QSet<QString> names;
    for (const DefinedNameData& n : data.names) {
        const QByteArray utf8 = n.name.toUtf8();
        if (!isStorableName(std::string_view(utf8.constData(), size_t(utf8.size()))))
            throw QStringLiteral("bad defined name \"%1\"").arg(n.name);
        if (names.contains(n.name.toLower()))
            throw QStringLiteral("duplicate defined name \"%1\"").arg(n.name);
        if (n.definition.trimmed().isEmpty())
            throw QStringLiteral("defined name \"%1\" has no definition").arg(n.name);
        names.insert(n.name.toLower());
    }
}

bool needsQuotedDefinition(const QString& definition)
{
    if (definition != definition.trimmed() || definition.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : definition)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

void appendCell(std::string& out, const CellData& c)
{
    if (c.kind == CellKind::Empty && c.format.isEmpty())
        return;
    out += "cell ";
    appendAddress(out, c.row, c.col);
    switch (c.kind) {
    case CellKind::Number:
        if (std::isfinite(c.number)) {
            out += " n ";
            appendNumber(out, c.number);
        } else {
            // A cell cannot show an infinity: it is the #NUM! error it would display.
            out += " e #NUM!";
        }
        break;
    case CellKind::Text:
        out += " t ";
        appendQuoted(out, c.text);
        break;
    case CellKind::Formula:
        out += " f ";
        appendQuoted(out, c.text.startsWith(QLatin1Char('=')) ? c.text : QLatin1Char('=') + c.text);
        break;
    case CellKind::Boolean:
        out += c.number != 0.0 ? " b 1" : " b 0";
        break;
    case CellKind::Error: {
        out += " e ";
        out += errorName(c.error).toUtf8().constData();
        break;
    }
    case CellKind::Empty:
        out += " -";
        break;
    }
    if (!c.format.isEmpty() && c.format.compare(QLatin1String("General"), Qt::CaseInsensitive) != 0) {
        out += " fmt ";
        appendQuoted(out, c.format);
    } else if (c.kind == CellKind::Empty) {
        out += " fmt ";
        appendQuoted(out, c.format);
    }
    out.push_back('\n');
}

}  // namespace

void writeNativeWorkbook(const QString& path, const WorkbookData& data)
{
    auto failWrite = [&path](const QString& reason) {
        throw SheetError(QStringLiteral("cannot write %1: %2").arg(path, reason));
    };
    try {
        checkWritable(data);
    } catch (const QString& reason) {
        failWrite(reason);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        failWrite(file.errorString());

    std::string out;
    out.reserve(size_t(kBlockBytes) + 4096);
    auto flush = [&](bool force) {
        if (!force && out.size() < size_t(kBlockBytes))
            return;
        if (file.write(out.data(), qint64(out.size())) != qint64(out.size())) {
            const QString reason = file.errorString();
            file.cancelWriting();
            failWrite(reason);
        }
        out.clear();
    };

    out += "PLOTWISE-WORKBOOK 1\n";
    for (const DefinedNameData& n : data.names) {
        out += "name ";
        out += n.name.toUtf8().constData();
        out.push_back(' ');
        if (needsQuotedDefinition(n.definition))
            appendQuoted(out, n.definition);
        else
            out += n.definition.toUtf8().constData();
        out.push_back('\n');
    }
    if (data.sheets.empty()) {
        out += "sheet \"Sheet1\"\n";  // a workbook always has a sheet
    }
    for (const SheetData& sheet : data.sheets) {
        out += "sheet ";
        appendQuoted(out, sheet.name);
        out.push_back('\n');
        for (const CellData& c : sheet.cells) {
            appendCell(out, c);
            flush(false);
        }
    }
    out += "end\n";
    flush(true);
    if (!file.commit())
        failWrite(file.errorString());
}

bool isNativeWorkbookFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray head = file.read(64);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    return head.startsWith(QByteArray(kMagic.data(), qsizetype(kMagic.size())) + ' ');
}

}  // namespace sheet
