// The profile layer against hand-written INI files: case-insensitive names,
// foreign content kept, defaults for malformed values, atomic refusals.
#include "components/platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Profile;
using platform::ProfileWriteError;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& content)
{
    const QString path = dir.filePath("test.ini");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace

TEST(Profile, NamesMatchWithoutRegardToCaseAndKeepTheirSpelling)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[GRAPHDEF]\r\nxyfile=C:\\a.vtc\r\n");
    Profile p(path);
    EXPECT_EQ(p.readString("Graphdef", "XYFile", "none"), "C:\\a.vtc");
    p.writeString("GraphDef", "XYFILE", "b.vtc");
    EXPECT_EQ(readFile(path), "[GRAPHDEF]\nxyfile=b.vtc\n");
}

TEST(Profile, MalformedIntegersGiveTheDefaultAndHexIsRead)
{
    QTemporaryDir dir;
    Profile p(writeFile(dir, "[ImportDef]\nHeaderLine=abc\nA=0x1F\nB= 42 \nC=-3\nD=\nE=12abc\n"));
    EXPECT_EQ(p.readInteger("ImportDef", "HeaderLine", 7), 7);
    EXPECT_EQ(p.readInteger("ImportDef", "A", 0), 31);
    EXPECT_EQ(p.readInteger("ImportDef", "B", 0), 42);
    EXPECT_EQ(p.readInteger("ImportDef", "C", 0), -3);
    EXPECT_EQ(p.readInteger("ImportDef", "D", 5), 5);
    EXPECT_EQ(p.readInteger("ImportDef", "E", 5), 5);
    EXPECT_EQ(p.readInteger("Missing", "E", 9), 9);
}

TEST(Profile, BooleansAreNonZeroIntegers)
{
    QTemporaryDir dir;
    Profile p(writeFile(dir, "[frmovtChart]\nmnuToben=0\nAppHint=2\nmnuTAus=yes\n"));
    EXPECT_FALSE(p.readBool("frmovtChart", "mnuTOben", true));
    EXPECT_TRUE(p.readBool("frmovtChart", "AppHint", false));
    EXPECT_TRUE(p.readBool("frmovtChart", "mnuTAus", true));
    EXPECT_FALSE(p.readBool("frmovtChart", "mnuTAus", false));
}

TEST(Profile, ForeignSectionsKeysAndCommentsSurviveWrites)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "; kept\n[Foreign]\nx=1\n\n[frmovtChart]\nOther=q\n\n[Tail]\ny=2\n");
    Profile p(path);
    p.writeInteger("frmovtChart", "Language", 2);
    p.writeString("New", "k", "v");
    EXPECT_EQ(readFile(path),
              "; kept\n[Foreign]\nx=1\n\n[frmovtChart]\nOther=q\nLanguage=2\n\n[Tail]\ny=2\n\n[New]\nk=v\n");
    EXPECT_EQ(Profile(path).sections(), (QStringList{"Foreign", "frmovtChart", "Tail", "New"}));
}

TEST(Profile, FirstWriteCreatesTheFileAndBatchesWriteOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    Profile p(path);
    EXPECT_EQ(p.readString("a", "b", "def"), "def");
    EXPECT_FALSE(QFileInfo::exists(path));
    p.beginUpdate();
    p.writeString("S1", "a", "1");
    p.writeString("S2", "b", "2");
    EXPECT_FALSE(QFileInfo::exists(path));
    p.endUpdate();
    EXPECT_EQ(readFile(path), "[S1]\na=1\n\n[S2]\nb=2\n");
}

TEST(Profile, RefusedWriteNamesThePathAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString sub = dir.filePath("ro");
    QDir().mkpath(sub);
    const QString path = sub + "/s.ini";
    { Profile p(path); p.writeString("S", "k", "old"); }
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Profile p(path);
    if (QFileInfo(sub).isWritable()) GTEST_SKIP() << "running as a user who may write anywhere";
    try {
        p.writeString("S", "k", "new");
        FAIL() << "write should have been refused";
    } catch (const ProfileWriteError& e) {
        EXPECT_EQ(e.message(), "nach " + path + " kann nicht geschrieben werden");
    }
    EXPECT_EQ(readFile(path), "[S]\nk=old\n");
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(Profile, LongValuesAreCutAndQuotesDropped)
{
    QTemporaryDir dir;
    Profile p(writeFile(dir, "[s]\nq=\"a b\"\nlong=" + QByteArray(3000, 'x') + "\n"));
    EXPECT_EQ(p.readString("s", "q", ""), "a b");
    EXPECT_EQ(p.readString("s", "long", "").size(), 2047);
}

TEST(Profile, ValuesReadBackExactlyAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("round.ini");
    const QStringList values = {" ", "\t", "  lead", "trail\t", ";", "a;b", "\"quoted\"", "'single'", "\"\"",
                                "\"", "\"open", "plain text", "", "x = y"};
    {
        Profile p(path);
        p.beginUpdate();
        for (int i = 0; i < values.size(); ++i) p.writeString("ImportDef", QString("k%1").arg(i), values[i]);
        p.endUpdate();
    }
    const Profile back(path);
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.readString("ImportDef", QString("k%1").arg(i), "default"), values[i]) << i;
    // Values that read back bare are still written bare.
    const QByteArray file = readFile(path);
    EXPECT_TRUE(file.contains("k11=plain text\n"));
    EXPECT_TRUE(file.contains("k0=\" \"\n"));
    EXPECT_TRUE(file.contains("k4=\";\"\n"));
}
