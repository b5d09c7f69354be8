// Save-as dialog and writer of the grid.
#include "components/sheetview/save_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace sheetview {

const QVector<SaveFormat>& saveFormats()
{
    static const QVector<SaveFormat> formats = {
        {sheet::FileFormat::Xlsx, QStringLiteral("Excel workbook (*.xlsx)"), QStringLiteral("xlsx")},
        {sheet::FileFormat::Native, QStringLiteral("Plotwise workbook (*.vts)"), QStringLiteral("vts")},
        {sheet::FileFormat::Csv, QStringLiteral("Comma-separated values (*.csv)"), QStringLiteral("csv")},
        {sheet::FileFormat::TabText, QStringLiteral("Tab-separated text (*.txt)"), QStringLiteral("txt")},
    };
    return formats;
}

const SaveFormat* saveFormatFor(sheet::FileFormat format)
{
    for (const SaveFormat& entry : saveFormats())
        if (entry.format == format)
            return &entry;
    return nullptr;
}

QString pathWithSuffix(const QString& path, const SaveFormat& format)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + format.suffix;
}

bool saveAsDialog(QWidget* parent, const QString& title, QString* path, sheet::FileFormat* format)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const SaveFormat& f : saveFormats())
        filters.append(f.filter);
    dialog.setNameFilters(filters);

    const SaveFormat* initial = saveFormatFor(format ? *format : sheet::FileFormat::Xlsx);
    if (!initial)
        initial = &saveFormats().first();
    dialog.selectNameFilter(initial->filter);
    dialog.setDefaultSuffix(initial->suffix);
    // The suffix added to a bare name follows the filter the user picks.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        for (const SaveFormat& f : saveFormats())
            if (f.filter == filter)
                dialog.setDefaultSuffix(f.suffix);
    });
    if (path && !path->isEmpty())
        dialog.selectFile(*path);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return false;

    const SaveFormat* picked = initial;
    for (const SaveFormat& f : saveFormats())
        if (f.filter == dialog.selectedNameFilter())
            picked = &f;
    if (path)
        *path = pathWithSuffix(chosen.first(), *picked);
    if (format)
        *format = picked->format;
    return true;
}

void writeBook(sheet::Spreadsheet& book, const QString& path, sheet::FileFormat format)
{
    if (path.trimmed().isEmpty())
        throw sheet::SheetError(QStringLiteral("No file name given to save the grid to."));
    book.write(path, format);
}

}  // namespace sheetview
