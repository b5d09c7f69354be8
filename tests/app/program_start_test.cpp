// The window program's command line, read before any display exists, and the
// reasons a named file is not opened.
#include "app/program_start.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using app::CommandLine;
using app::parseCommandLine;

TEST(CommandLine, OneFileAmongQtsOwnOptions)
{
    const CommandLine plain = parseCommandLine({});
    EXPECT_EQ(plain.action, CommandLine::Action::Run);
    EXPECT_TRUE(plain.file.isEmpty());

    // Qt's options keep their values, with one dash or two, spaced or with '='.
    const CommandLine mixed = parseCommandLine({"-platform", "offscreen", "--style=fusion", "data.csv", "-reverse",
                                                "-qwindowgeometry", "800x600+0+0", "--platformtheme", "gtk3"});
    EXPECT_EQ(mixed.action, CommandLine::Action::Run) << mixed.error.toStdString();
    EXPECT_EQ(mixed.file, "data.csv");

    // "--" ends the options: a file may start with a dash; "-" alone is a name too.
    const CommandLine dashed = parseCommandLine({"--", "-odd name.vts"});
    EXPECT_EQ(dashed.action, CommandLine::Action::Run);
    EXPECT_EQ(dashed.file, "-odd name.vts");
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand)
{
    EXPECT_EQ(parseCommandLine({"data.csv", "--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parseCommandLine({"-h"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parseCommandLine({"-platform", "xcb", "--version"}).action, CommandLine::Action::ShowVersion);
    EXPECT_EQ(parseCommandLine({"-v"}).action, CommandLine::Action::ShowVersion);
    EXPECT_TRUE(app::versionText().startsWith("plotwise ")) << app::versionText().toStdString();
    EXPECT_TRUE(app::commandLineHelp().contains("--version"));
}

TEST(CommandLine, WrongCommandLinesAreRefusedWithTheirReason)
{
    const CommandLine unknown = parseCommandLine({"--frobnicate", "data.csv"});
    EXPECT_EQ(unknown.action, CommandLine::Action::Fail);
    EXPECT_TRUE(unknown.error.contains("--frobnicate")) << unknown.error.toStdString();

    const CommandLine noValue = parseCommandLine({"data.csv", "-style"});
    EXPECT_EQ(noValue.action, CommandLine::Action::Fail) << "a Qt option without its value";
    EXPECT_TRUE(noValue.error.contains("-style")) << noValue.error.toStdString();

    const CommandLine twoFiles = parseCommandLine({"a.csv", "b.csv"});
    EXPECT_EQ(twoFiles.action, CommandLine::Action::Fail);
    EXPECT_TRUE(twoFiles.error.contains("b.csv")) << twoFiles.error.toStdString();
    EXPECT_EQ(app::kExitUsage, 2);
}

TEST(CommandLine, FilesThatCannotBeOpenedSayWhy)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("data.csv");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_TRUE(app::unopenableFileReason(good, platform::Language::English).isEmpty());
    const QString missing = app::unopenableFileReason(dir.filePath("gone.csv"), platform::Language::English);
    EXPECT_TRUE(missing.contains("gone.csv") && missing.contains("does not exist")) << missing.toStdString();
    const QString folder = app::unopenableFileReason(dir.path(), platform::Language::German);
    EXPECT_TRUE(folder.contains("Ordner")) << folder.toStdString();

    EXPECT_TRUE(app::isImportTemplateFile("/t/sampledata_multi_e.CTPL"));
    EXPECT_FALSE(app::isImportTemplateFile("/t/ctpl.csv"));
}
