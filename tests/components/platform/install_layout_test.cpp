// Where shipped files are found and where the user's files go, for a portable
// and an installed copy laid out in temporary folders.
#include "components/platform/install_layout.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

}  // namespace

TEST(InstallLayout, FoldersRunFromTheExecutableToThePrefixToTheDataFolders)
{
    const QStringList folders = platform::shippedFolders(
        "/opt/pw/bin", {"/home/u/.local/share", "/usr/share/", "", "/opt/pw/share"});
    EXPECT_EQ(folders, (QStringList{"/opt/pw/bin/", "/opt/pw/share/plotwise/", "/home/u/.local/share/plotwise/",
                                    "/usr/share/plotwise/"}))
        << "the prefix's share folder is searched once, before the desktop's data folders";
}

TEST(InstallLayout, EachFileIsTakenFromTheFirstFolderThatHoldsIt)
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString data = root.filePath("data");
    touch(bin + "/plotwise");
    touch(bin + "/ctadefault.vtc");                        // beside the executable
    touch(root.filePath("share/plotwise/ctadefault.vtc"));  // also in the prefix
    touch(root.filePath("share/plotwise/xycharte.def"));
    touch(data + "/plotwise/xycharte.def");
    touch(data + "/plotwise/Sampledata_multi.vts");
    QDir().mkpath(root.filePath("share/plotwise/Sampledata_multi.vts"));  // a folder is no file

    const QStringList folders = platform::shippedFolders(bin, {data});
    EXPECT_EQ(platform::findInFolders(folders, "ctadefault.vtc"), bin + "/ctadefault.vtc");
    EXPECT_EQ(platform::findInFolders(folders, "xycharte.def"),
              QDir::cleanPath(root.filePath("share/plotwise/xycharte.def")));
    EXPECT_EQ(platform::findInFolders(folders, "Sampledata_multi.vts"), data + "/plotwise/Sampledata_multi.vts");
    EXPECT_TRUE(platform::findInFolders(folders, "ChartdatenE.def").isEmpty());

    const QStringList missing = platform::missingFiles(
        {"ctadefault.vtc", "ChartdatenE.def", "Sampledata_multi.vts", "ChartdatenG.def"}, folders);
    EXPECT_EQ(missing, (QStringList{"ChartdatenE.def", "ChartdatenG.def"}));
    const QString text = platform::missingShippedFilesText(missing, folders);
    EXPECT_TRUE(text.startsWith("Shipped files missing: ChartdatenE.def, ChartdatenG.def; looked in "))
        << text.toStdString();
    for (const QString& folder : folders) EXPECT_TRUE(text.contains(folder)) << text.toStdString();
}

TEST(InstallLayout, HelperProgramsRunFromBesideTheExecutableThenFromLibexec)
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString libexec = root.filePath("libexec/plotwise/");
    QDir().mkpath(bin);
    EXPECT_EQ(platform::helperProgramPath(bin, "reader"), bin + "/reader") << "none: the build folder's place";

    touch(libexec + "reader");
    EXPECT_EQ(platform::helperProgramPath(bin, "reader"), bin + "/reader") << "a file that cannot run is no program";
    QFile(libexec + "reader").setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(platform::helperProgramPath(bin, "reader"), QDir::cleanPath(libexec + "reader"));

    touch(bin + "/reader");
    QFile(bin + "/reader").setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(platform::helperProgramPath(bin, "reader"), bin + "/reader");
}

TEST(InstallLayout, OnlyAPortableCopyWritesBesideItsExecutable)
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString config = root.filePath("config/Plotwise");
    QDir().mkpath(bin);

    // Installed, and writable as for root: the user's files still go to the configuration folder.
    EXPECT_FALSE(platform::isPortableCopy(bin));
    EXPECT_EQ(platform::userFilesFolder(bin, config), config + '/');

    touch(bin + '/' + platform::kPortableMarkerName);
    EXPECT_TRUE(platform::isPortableCopy(bin));
    EXPECT_TRUE(platform::isPortableCopy(bin + '/'));
    EXPECT_EQ(platform::userFilesFolder(bin, config), bin + '/');
}
