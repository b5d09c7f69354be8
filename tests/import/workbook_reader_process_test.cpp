// The reader program as a child process: whatever happens to it (a crash
// inside a library, an answer broken off or garbled, a missing program), the
// import says the file is damaged and the grid keeps what it had.
#include "import/import_file.h"
#include "import/workbook_reader_process.h"
#include "tests/import/test_files.h"

#include "components/sheet/spreadsheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace dataimport;

namespace {

class ReaderProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = qgetenv("PLOTWISE_WORKBOOK_READER");
        workbook = importtest::writeBytes(dir, QStringLiteral("daten.xlsx"), "PK");
    }
    void TearDown() override { qputenv("PLOTWISE_WORKBOOK_READER", saved); }

    // Puts a stand-in reader program (a shell script) in place of the real one.
    void useProgram(const QByteArray& script)
    {
        const QString path = importtest::writeBytes(dir, QStringLiteral("reader.sh"), "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PLOTWISE_WORKBOOK_READER", QFile::encodeName(path));
    }

    QString importAndKeep()
    {
        grid.setNumber(2, 2, 7);
        job.lastDataRow = 11;
        const ImportResult r = importtest::importInto(workbook, ImportFields{}, grid, job);
        EXPECT_EQ(r.status, ImportResult::Status::Failed);
        EXPECT_DOUBLE_EQ(grid.number(2, 2), 7);
        EXPECT_EQ(job.lastDataRow, 11);
        EXPECT_TRUE(r.errorText.contains(QStringLiteral("daten.xlsx"))) << r.errorText.toStdString();
        return r.errorText;
    }

    QTemporaryDir dir;
    QByteArray saved;
    QString workbook;
    sheet::Spreadsheet grid;
    importtest::ImportedRows job;
};

}  // namespace

TEST_F(ReaderProgram, ACrashOrAGarbledAnswerSaysTheFileIsDamaged)
{
    for (const char* script : {
             "kill -SEGV $$",                                       // a library crashed
             "printf 'S\\001\\000\\000\\000A'; kill -ABRT $$",      // an assertion mid-answer
             "printf 'S\\001\\000\\000\\000AB'",                    // nonsense, exit 0
             "printf 'S\\001\\000\\000\\000A'",                     // broken off, exit 0
         }) {
        useProgram(script);
        EXPECT_TRUE(importAndKeep().endsWith(QStringLiteral(": the file is damaged"))) << script;
    }
}

TEST_F(ReaderProgram, AMissingProgramIsNamed)
{
    qputenv("PLOTWISE_WORKBOOK_READER", QFile::encodeName(dir.filePath(QStringLiteral("nowhere"))));
    EXPECT_TRUE(importAndKeep().contains(QStringLiteral("reader program"))) << "named";
}

TEST_F(ReaderProgram, TheRealProgramReportsAReadersReason)
{
    // The real program (set by the test run) refuses a file that is no archive.
    const ImportResult r = importtest::importInto(workbook, ImportFields{}, grid, job);
    EXPECT_EQ(r.status, ImportResult::Status::Failed);
    EXPECT_TRUE(r.errorText.contains(QStringLiteral("no readable zip archive"))) << r.errorText.toStdString();
}
