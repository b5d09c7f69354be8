// The save-as dialog: .xlsx offered first, cancel leaves everything alone,
// the format the user picks is the one handed back, with its suffix.
#include "tests/components/sheetview/qstring_printer.h"
#include "tests/components/sheetview/modal_answer.h"
#include "components/sheetview/save_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sheetview;

TEST(SaveDialog, OffersTheXlsxWorkbookFirst)
{
    const QVector<SaveFormat>& formats = saveFormats();
    ASSERT_GE(formats.size(), 3);
    EXPECT_EQ(formats[0].format, sheet::FileFormat::Xlsx);
    EXPECT_EQ(formats[0].suffix, "xlsx");
    EXPECT_NE(saveFormatFor(sheet::FileFormat::Native), nullptr);
    EXPECT_NE(saveFormatFor(sheet::FileFormat::Csv), nullptr);
    EXPECT_EQ(saveFormatFor(sheet::FileFormat::Xls), nullptr);  // read only

    const SaveFormat& csv = *saveFormatFor(sheet::FileFormat::Csv);
    EXPECT_EQ(pathWithSuffix("/tmp/stats", csv), "/tmp/stats.csv");
    EXPECT_EQ(pathWithSuffix("/tmp/stats.txt", csv), "/tmp/stats.txt");
    EXPECT_EQ(pathWithSuffix("", csv), "");
}

TEST(SaveDialog, CancelHandsNothingBack)
{
    QString path;
    sheet::FileFormat format = sheet::FileFormat::Xlsx;
    QString seenTitle;
    QString seenFilter;
    ModalAnswers answers{[&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        seenTitle = dialog->windowTitle();
        seenFilter = dialog->selectedNameFilter();
        dialog->reject();
    }};
    EXPECT_FALSE(saveAsDialog(nullptr, "Statistics", &path, &format));
    EXPECT_EQ(answers.unanswered(), 0);
    EXPECT_EQ(answers.leftOpen(), 0);
    EXPECT_EQ(seenTitle, "Statistics");
    EXPECT_EQ(seenFilter, saveFormats()[0].filter);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(format, sheet::FileFormat::Xlsx);
}

TEST(SaveDialog, ThePickedFormatAndItsSuffixComeBack)
{
    QTemporaryDir dir;
    QString path;
    sheet::FileFormat format = sheet::FileFormat::Xlsx;
    ModalAnswers answers{[&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        // As a user does it: pick the filter in the combo box, type a bare name.
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        const int csv = types->findText(saveFormatFor(sheet::FileFormat::Csv)->filter);
        ASSERT_GE(csv, 0);
        types->setCurrentIndex(csv);
        emit types->activated(csv);  // what a user's choice in the box emits
        emit types->textActivated(types->itemText(csv));
        dialog->setDirectory(dir.path());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("stats");
        // Closed as the dialog's own accept closes it once its checks pass;
        // those checks wait for a background directory listing, which made
        // the test depend on timing.
        dialog->QDialog::accept();
    }};
    ASSERT_TRUE(saveAsDialog(nullptr, "Statistics", &path, &format));
    EXPECT_EQ(format, sheet::FileFormat::Csv);
    EXPECT_EQ(path, dir.filePath("stats.csv"));
}

TEST(SaveDialog, WriteBookRefusesAnEmptyPath)
{
    sheet::Spreadsheet book;
    EXPECT_THROW(writeBook(book, "", sheet::FileFormat::Csv), sheet::SheetError);
}
