// Where Apply saves a changed chart look: a shipped look of an installed copy
// becomes the user's copy, the settings point at it, and the shipped file and
// the looks the user owns are never moved.
#include "chart/chart_look_settings.h"
#include "chart/chart_kinds.h"
#include "chart/user_look.h"
#include "tests/chart/chart_test_support.h"
#include "components/platform/profile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using charttest::StateFixture;

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(UserLook, AShippedLookOfAnInstalledCopyBecomesTheUsersCopy)
{
    QTemporaryDir root;
    const QString bin = root.filePath("usr/bin/");
    const QString share = root.filePath("usr/share/plotwise/");
    const QString config = root.filePath("home/.config/Plotwise/");
    QDir().mkpath(bin);
    QDir().mkpath(config);
    writeText(share + "ctadefault.vtc", "shipped");

    StateFixture f;
    f.state.applicationDirectory = bin;
    f.state.shippedFolders = {bin, share};
    f.state.settingsPath = config + "Plotwise.INI";

    // The shipped look is the default while the user has none.
    const QString shipped = chart::chartTemplatePath(f.state);
    EXPECT_EQ(shipped, share + "ctadefault.vtc");

    const QString saved = chart::saveUserLook(f.state, chart::kControlChartLookKey, shipped,
                                              [](const QString& path) { writeText(path, "changed"); });
    EXPECT_EQ(saved, config + "ctadefault.vtc");
    EXPECT_EQ(readText(saved), "changed");
    EXPECT_EQ(readText(shipped), "shipped") << "the shipped look stays as it came";
    EXPECT_EQ(chart::chartTemplatePath(f.state), saved) << "XYFile points at the user's copy";

    // The next Apply writes the user's copy again; the settings are not touched.
    QFile::remove(f.state.settingsPath);
    EXPECT_EQ(chart::saveUserLook(f.state, chart::kControlChartLookKey, saved,
                                  [](const QString& path) { writeText(path, "again"); }),
              saved);
    EXPECT_FALSE(QFile::exists(f.state.settingsPath));

    // The comparison look goes through its own key.
    writeText(share + "vgldefault.vtc", "shipped");
    chart::saveUserLook(f.state, chart::kComparisonLookKey, share + "vgldefault.vtc", [](const QString&) {});
    EXPECT_EQ(platform::Profile(f.state.settingsPath)
                  .readString(chart::kChartLookSection, chart::kComparisonLookKey, QString()),
              config + "vgldefault.vtc");
}

TEST(UserLook, PortableCopiesAndChosenLooksAreWrittenInPlace)
{
    StateFixture f;
    f.state.applicationDirectory = "/opt/plotwise/";
    f.state.settingsPath = "/opt/plotwise/Plotwise.INI";  // portable: the settings lie beside the program
    EXPECT_EQ(chart::lookSavePath(f.state, "/opt/plotwise/ctadefault.vtc"), "/opt/plotwise/ctadefault.vtc");

    f.state.settingsPath = "/home/u/.config/Plotwise/Plotwise.INI";
    EXPECT_EQ(chart::lookSavePath(f.state, "/home/u/looks/mine.vtc"), "/home/u/looks/mine.vtc")
        << "a look the user chose from their own folder is theirs to change";
    EXPECT_EQ(chart::lookSavePath(f.state, "/opt/plotwise/ctadefault.vtc"),
              "/home/u/.config/Plotwise/ctadefault.vtc");

    f.state.settingsPath.clear();  // the report tool keeps no settings
    EXPECT_EQ(chart::lookSavePath(f.state, "/opt/plotwise/ctadefault.vtc"), "/opt/plotwise/ctadefault.vtc");
}
