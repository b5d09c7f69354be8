// The compiled help collections: every help context in use opens its anchor
// in both languages, and the user's copy works from a read-only installation.
#include "help/help_collection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngineCore>
#include <QTemporaryDir>
#include <QThread>

using platform::Language;

namespace {

QList<int> contextsInUse()
{
    QList<int> contexts = {20, 24, 26, 28, 29, 30, 50, 60, 100, 101, 241, 242, 261, 262, 263, 265, 266, 267};
    for (int c = 201; c <= 209; ++c) contexts << c;
    for (int c = 1001; c <= 1018; ++c) contexts << c;
    for (int c = 1030; c <= 1036; ++c) contexts << c;
    return contexts;
}

// A copy of the built collections in a folder of its own.
void copyCollections(const QString& folder)
{
    for (const char* name : {"ovtchartEng.qhc", "ovtchartEng.qch", "ovtchartGer.qhc", "ovtchartGer.qch"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(PLOTWISE_BUILD_APP_DIR "/") + QLatin1String(name),
                                folder + QLatin1String(name))) << name;
}

}  // namespace

TEST(HelpCollections, EveryContextInUseOpensItsAnchorInBothLanguages)
{
    QTemporaryDir user;
    for (Language language : {Language::English, Language::German}) {
        const auto collection = help::prepareCollection({QStringLiteral(PLOTWISE_BUILD_APP_DIR "/")}, user.path(), language);
        ASSERT_FALSE(collection.path.isEmpty()) << collection.error.toStdString();
        QHelpEngineCore engine(collection.path);
        ASSERT_TRUE(engine.setupData());
        for (int context : contextsInUse()) {
            const QUrl topic = help::topicForContext(engine, context);
            ASSERT_FALSE(topic.isEmpty()) << context;
            EXPECT_EQ(topic.fragment(), QStringLiteral("ctx%1").arg(context));
            EXPECT_TRUE(engine.fileData(topic).contains(QStringLiteral("<a name=\"ctx%1\">").arg(context).toUtf8())) << context;
        }
        EXPECT_TRUE(help::topicForContext(engine, 9999).isEmpty());
        // The pages find their style sheet and pictures inside the collection.
        const QUrl page = help::topicForContext(engine, 100);
        EXPECT_FALSE(engine.fileData(page.resolved(QUrl(QStringLiteral("../style.css")))).isEmpty());
        const QString picture = language == Language::German ? QStringLiteral("../images/main-window-de.png")
                                                              : QStringLiteral("../images/main-window-en.png");
        EXPECT_TRUE(engine.fileData(page.resolved(QUrl(picture))).startsWith("\x89PNG"));
    }
}

TEST(HelpCollections, TheUsersCopyWorksFromAReadOnlyInstallation)
{
    QTemporaryDir installed, user;
    const QString appDir = installed.path() + u'/';
    copyCollections(appDir);
    for (const QString& name : QDir(appDir).entryList(QDir::Files))
        QFile::setPermissions(appDir + name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(appDir, QFile::ReadOwner | QFile::ExeOwner);

    // An installation under a prefix: nothing beside the executable, the files in share/plotwise.
    const QStringList folders = {user.path() + QStringLiteral("/bin/"), appDir};
    const auto first = help::prepareCollection(folders, user.path() + QStringLiteral("/data"), Language::English);
    ASSERT_FALSE(first.path.isEmpty()) << first.error.toStdString();
    EXPECT_TRUE(first.path.startsWith(user.path()));
    EXPECT_TRUE(QFileInfo(first.path).isWritable());
    {
        QHelpEngineCore engine(first.path);
        ASSERT_TRUE(engine.setupData());
        EXPECT_EQ(help::topicForContext(engine, 24).fragment(), QStringLiteral("ctx24")) << "the copy finds the shipped topics";
    }
    // A second start keeps the copy (and the search index beside it).
    const QDateTime made = QFileInfo(first.path).lastModified();
    const auto again = help::prepareCollection(folders, user.path() + QStringLiteral("/data"), Language::English);
    EXPECT_EQ(again.path, first.path);
    EXPECT_EQ(QFileInfo(again.path).lastModified(), made);
    QFile::setPermissions(appDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(HelpCollections, AMissingCollectionNamesWhereItWasLookedFor)
{
    QTemporaryDir empty, user;
    const QStringList folders = {empty.path() + u'/', user.path() + QStringLiteral("/share/plotwise/")};
    const auto english = help::prepareCollection(folders, user.path(), Language::English);
    EXPECT_TRUE(english.path.isEmpty());
    EXPECT_EQ(english.error, QStringLiteral("The help is not installed: ovtchartEng.qhc was not found in %1, %2.")
                                 .arg(QDir::toNativeSeparators(folders[0]), QDir::toNativeSeparators(folders[1])));
    // A collection without its topics file is no collection.
    QFile::copy(QStringLiteral(PLOTWISE_BUILD_APP_DIR "/ovtchartGer.qhc"), empty.filePath(QStringLiteral("ovtchartGer.qhc")));
    const auto german = help::prepareCollection(folders, user.path(), Language::German);
    EXPECT_TRUE(german.error.startsWith(QString::fromUtf8("Die Hilfe ist nicht installiert: ")));
    EXPECT_TRUE(german.error.contains(QStringLiteral("ovtchartGer.qhc")));
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
