// The limits every foreign workbook read keeps. A file states its own sizes
// (repeat counts, decimal places, lengths, archive entry sizes); these caps
// keep a small damaged or hostile file from taking gigabytes or minutes.
// A read that hits one is refused with a message naming the limit and what
// the file asked for.
#pragma once

#include <QString>
#include <QtGlobal>

namespace dataimport {

// Cells stored, counted across all sheets of one workbook. A stored cell costs
// about 100 bytes on its way into the grid, so this keeps a read well under 1 GiB.
inline constexpr qint64 kMaxWorkbookCells = 8'000'000;
// Characters of one text cell (the common desktop spreadsheets stop at the same length).
inline constexpr qint64 kMaxTextLength = 32'767;
// Decimal places of one number format.
inline constexpr qint64 kMaxDecimalPlaces = 30;
// Bytes read out of one archive entry, after decompression: a sheet of this
// cap's 8,000,000 cells is about 450 MB of XML, and 512 MiB of the smallest
// elements still parse within a few seconds.
inline constexpr qint64 kMaxEntryBytes = 512LL * 1024 * 1024;
// Bytes of one XML token (a text, a tag, a comment): bounds what the XML reader buffers.
inline constexpr qint64 kMaxXmlTokenBytes = 1024LL * 1024;
// Elements of one XML part: a sheet of the cell cap holds about 17,000,000
// (row, cell and value elements); this bounds the time tiny elements can take.
inline constexpr qint64 kMaxXmlElements = 40'000'000;
// Nesting depth of XML elements.
inline constexpr int kMaxXmlDepth = 256;
// Sheets of one workbook, and characters of a sheet name or number format code.
inline constexpr qint64 kMaxSheets = 1'024;
inline constexpr qint64 kMaxNameLength = 1'024;

// "the file asks for %2 %1; at most %3 are read", with grouped figures.
QString limitMessage(const QString& what, qint64 asked, qint64 limit);

// What a read says when the workbook needs more memory than there is; in
// words, never the name of the exception.
inline QString outOfMemoryText()
{
    return QStringLiteral("the workbook needs more memory than is available");
}

// A read stopped by a damaged file or a cap; the message is for the user.
struct WorkbookReadError {
    QString message;
};

}  // namespace dataimport
