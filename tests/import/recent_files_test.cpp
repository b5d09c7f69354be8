// The recent-files list and "LastOpenFiles.dat".
#include "import/recent_files.h"
#include "tests/import/test_files.h"

#include <gtest/gtest.h>

using dataimport::RecentFiles;

TEST(RecentFiles, NewFilesGoOnTopAndTheTwelfthDropsTheOldest)
{
    RecentFiles list;
    for (int i = 1; i <= 11; ++i) EXPECT_EQ(list.add(QStringLiteral("/d/file%1.csv").arg(i)), 0);
    EXPECT_EQ(list.count(), 11);
    list.add(QStringLiteral("/d/file12.csv"));
    EXPECT_EQ(list.count(), 11);
    EXPECT_EQ(list.entries().first(), "/d/file12.csv");
    EXPECT_EQ(list.entries().last(), "/d/file2.csv");
    EXPECT_EQ(list.indexOf(QStringLiteral("/d/file1.csv")), -1);
}

TEST(RecentFiles, AListedFileInOtherCaseMovesToTheTop)
{
    RecentFiles list;
    list.setEntries({"/d/a.csv", "/d/B.csv", "/d/c.csv"});
    EXPECT_EQ(list.add(QStringLiteral("/D/b.CSV")), 0);
    EXPECT_EQ(list.entries(), (QStringList{"/d/B.csv", "/d/a.csv", "/d/c.csv"}));
}

TEST(RecentFiles, DeleteRemovesOnlyTheSelectedEntry)
{
    RecentFiles list;
    list.setEntries({"a", "b", "c"});
    EXPECT_FALSE(list.removeAt(-1));  // nothing selected
    EXPECT_FALSE(list.removeAt(3));
    EXPECT_TRUE(list.removeAt(1));
    EXPECT_EQ(list.entries(), (QStringList{"a", "c"}));
}

TEST(RecentFiles, FileRoundTripWithCrLfAndUmlauts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(RecentFiles::fileName());
    RecentFiles list;
    list.setEntries({QString::fromUtf8("/home/jörg/Maße.csv"), "C:\\data\\x.xls"});
    ASSERT_TRUE(list.save(path));
    EXPECT_EQ(importtest::readBytes(path), QString::fromUtf8("/home/jörg/Maße.csv\r\nC:\\data\\x.xls\r\n").toUtf8());

    RecentFiles loaded;
    ASSERT_TRUE(loaded.load(path));
    EXPECT_EQ(loaded.entries(), list.entries());
}

TEST(RecentFiles, LoadTakesEveryLineWithoutLimitAndAnyLineEnd)
{
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; i < 15; ++i) bytes += "f" + QByteArray::number(i) + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r" : "\r\n");
    bytes += "C:\\M\xE4" "rz.csv";  // Windows-1252, no line end
    RecentFiles list;
    list.setEntries({"old"});
    ASSERT_TRUE(list.load(importtest::writeBytes(dir, QStringLiteral("l.dat"), bytes)));
    ASSERT_EQ(list.count(), 16);
    EXPECT_EQ(list.entries()[14], "f14");
    EXPECT_EQ(list.entries()[15], QString::fromUtf8("C:\\März.csv"));

    EXPECT_FALSE(list.load(dir.filePath(QStringLiteral("none.dat"))));
    EXPECT_EQ(list.count(), 0);  // a missing file gives an empty list
}

TEST(RecentFiles, UnwritableFileIsReported)
{
    QTemporaryDir dir;
    RecentFiles list;
    list.setEntries({"a"});
    QString error;
    EXPECT_FALSE(list.save(dir.filePath(QStringLiteral("no/such/dir/LastOpenFiles.dat")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("LastOpenFiles.dat")));
}
