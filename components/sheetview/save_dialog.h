// The grid's save-as dialog and writer. The dialog lists the formats the book
// writes, the .xlsx workbook first, and hands back the chosen path and
// format; writing is Spreadsheet::write.
#pragma once

#include "components/sheet/spreadsheet.h"

#include <QString>
#include <QVector>

class QWidget;

namespace sheetview {

struct SaveFormat {
    sheet::FileFormat format;
    QString filter;    // name filter as the file dialog shows it
    QString suffix;    // appended when the chosen name has none
};

// The formats of the save-as dialog, in the order offered.
const QVector<SaveFormat>& saveFormats();
// The entry of a file format; nullptr when the book does not write it.
const SaveFormat* saveFormatFor(sheet::FileFormat format);
// path, with the format's suffix appended when its file name has no suffix.
QString pathWithSuffix(const QString& path, const SaveFormat& format);

// Shows the save-as dialog titled `title`. *path gives the initial file (may be
// empty) and *format the filter selected first (one the book does not write
// selects the first, .xlsx). On OK both receive the user's choice and true is returned;
// on cancel they are left alone and false is returned. Nothing is written.
bool saveAsDialog(QWidget* parent, const QString& title, QString* path, sheet::FileFormat* format);

// Writes the book to path in the given format (Spreadsheet::write); throws
// sheet::SheetError naming the file and reason when it cannot.
void writeBook(sheet::Spreadsheet& book, const QString& path, sheet::FileFormat format);

}  // namespace sheetview
