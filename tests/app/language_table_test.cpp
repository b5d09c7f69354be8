// The language tables and pop-up lists as text: comments, malformed lines,
// line ends, encodings and sizes; and the shipped tables and lists themselves.
#include "app/language_table.h"
#include "app/popup_texts.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using app::LanguageTable;
using app::PopupTexts;
using platform::Language;

namespace {

QString shipped(const char* name) { return QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/") + QLatin1String(name); }

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("table.dat"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

}  // namespace

TEST(LanguageTable, RowsSkipCommentsAndLinesWithoutANumber)
{
    const LanguageTable table = LanguageTable::parse(QString::fromUtf8(
        "; comment;1;x\n"
        "0 ; Main window ; Hauptfenster ;extra;fields\n"
        "abc;not;a tag\n"
        "\n"
        "  12;Read;Lesen\r\n"
        "13;Only English\r"
        "14\n"
        "1.5;no;nein\n"
        "-3;minus;minus"));
    ASSERT_EQ(table.rows().size(), 5);
    EXPECT_EQ(table.rows()[0].tag, 0);
    EXPECT_EQ(table.rows()[0].english, QStringLiteral("Main window")) << "texts are trimmed";
    EXPECT_EQ(table.rows()[0].text(Language::German), QStringLiteral("Hauptfenster")) << "fields after the German one are ignored";
    EXPECT_EQ(table.rows()[1].tag, 12) << "CR LF ends a line and a blank before the tag is trimmed";
    EXPECT_EQ(table.rows()[2].tag, 13) << "a lone CR ends a line";
    EXPECT_EQ(table.rows()[2].german, QString()) << "a missing field gives an empty text";
    EXPECT_EQ(table.rows()[3].tag, 14);
    EXPECT_EQ(table.rows()[3].english, QString());
    EXPECT_EQ(table.rows()[4].tag, -3);
}

TEST(LanguageTable, CtrlZEndsTheTextAndEncodingsAreRecognised)
{
    const LanguageTable cut = LanguageTable::parse(QStringLiteral("1;a;b\n\x1A" "2;c;d\n"));
    EXPECT_EQ(cut.rows().size(), 1);

    QTemporaryDir dir;
    // UTF-8 with a byte order mark: the mark is not part of the first tag.
    const LanguageTable utf8 = LanguageTable::read(writeFile(dir, QByteArray("\xEF\xBB\xBF" "4;Close;Schlie\xC3\x9F" "en\n")));
    ASSERT_EQ(utf8.rows().size(), 1);
    EXPECT_EQ(utf8.rows()[0].tag, 4);
    EXPECT_EQ(utf8.rows()[0].german, QString::fromUtf8("Schließen"));
    // Not valid UTF-8: Windows-1252, whose 0x80 is the euro sign.
    const LanguageTable cp1252 = LanguageTable::read(writeFile(dir, QByteArray("4;Close;Schlie\xDF" "en \x80\n")));
    ASSERT_EQ(cp1252.rows().size(), 1);
    EXPECT_EQ(cp1252.rows()[0].german, QString::fromUtf8("Schließen €"));

    EXPECT_FALSE(LanguageTable::read(dir.filePath(QStringLiteral("missing.dat"))).isLoaded());
}

TEST(LanguageTable, LargeTablesAreReadWithoutHanging)
{
    QByteArray many;
    for (int i = 0; i < 10000; ++i) many += QByteArray::number(i) + ";English " + QByteArray::number(i) + ";Deutsch\n";
    QByteArray longLine = "7;" + QByteArray(4 * 1024 * 1024, 'x') + ";kurz\n";
    QTemporaryDir dir;
    QElapsedTimer clock;
    clock.start();
    const LanguageTable big = LanguageTable::read(writeFile(dir, many));
    const LanguageTable wide = LanguageTable::read(writeFile(dir, longLine));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(big.rows().size(), 10000);
    EXPECT_EQ(big.rows().last().english, QStringLiteral("English 9999"));
    ASSERT_EQ(wide.rows().size(), 1);
    EXPECT_EQ(wide.rows()[0].english.size(), 4 * 1024 * 1024);
    EXPECT_EQ(wide.rows()[0].german, QStringLiteral("kurz"));
}

TEST(PopupTexts, TextRunsToTheEndOfTheLineSemicolonsIncluded)
{
    const PopupTexts texts = PopupTexts::parse(QString::fromUtf8(
        "; 24;comment\n"
        "24;<b>Column separator</b> one of ; , |\r\n"
        "x;no number\n"
        "no separator\n"
        "26;first\n"
        "26;second wins\n"));
    EXPECT_EQ(texts.size(), 2);
    EXPECT_EQ(texts.text(24), QStringLiteral("<b>Column separator</b> one of ; , |"));
    EXPECT_EQ(texts.text(26), QStringLiteral("second wins"));
    EXPECT_EQ(texts.text(30), QString());
}

// The shipped tables: every row has both texts, tags are unique, and the
// process-control words are the right ones.
TEST(ShippedLanguageTables, EveryRowHasBothTextsOnce)
{
    for (const char* name : {"frmovtChart.dat", "frmtxtChart.dat", "frmxyCompare.dat"}) {
        const LanguageTable table = LanguageTable::read(shipped(name));
        ASSERT_TRUE(table.isLoaded()) << name;
        QSet<int> tags;
        for (const auto& row : table.rows()) {
            EXPECT_FALSE(row.english.isEmpty()) << name << " " << row.tag;
            EXPECT_FALSE(row.german.isEmpty()) << name << " " << row.tag;
            EXPECT_FALSE(tags.contains(row.tag)) << name << " repeats " << row.tag;
            tags.insert(row.tag);
        }
        EXPECT_TRUE(tags.contains(0)) << name << " has no caption";
    }
    const LanguageTable chart = LanguageTable::read(shipped("frmtxtChart.dat"));
    QStringList german, english;
    for (const auto& row : chart.rows()) {
        german << QString(row.german).remove(u'&');
        english << QString(row.english).remove(u'&');
    }
    for (const char* word : {"Mittelwert", "Spannweite", "Differenz"}) EXPECT_TRUE(german.contains(QString::fromUtf8(word))) << word;
    for (const char* word : {"Mean", "Range", "Difference"}) EXPECT_TRUE(english.contains(QLatin1String(word))) << word;
}

TEST(ShippedPopupTexts, BothListsCoverTheSameContextsAndStartWithABoldName)
{
    const PopupTexts english = PopupTexts::read(shipped("ovtchartPopEng.txt"));
    const PopupTexts german = PopupTexts::read(shipped("ovtchartPopGer.txt"));
    ASSERT_GT(english.size(), 40);
    QList<int> a = english.contexts(), b = german.contexts();
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    for (int context : a) {
        EXPECT_TRUE(english.text(context).startsWith(QLatin1String("<b>"))) << context;
        EXPECT_TRUE(german.text(context).startsWith(QLatin1String("<b>"))) << context;
    }
    for (const char* file : {"frmovtChart.dat", "frmtxtChart.dat", "frmxyCompare.dat", "ovtchartPopGer.txt"}) {
        QFile f(shipped(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(QString::fromUtf8(f.readAll()).contains(QLatin1String("Wertebereich"))) << file;
    }
}
