// The reader program's answer: what the writer sends arrives whole, and the
// parent refuses every answer that is cut short, damaged or too large
// without buffering more than one record.
#include "import/workbook_answer.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace dataimport;

namespace {

sheet::CellData makeCell(int row, int col, sheet::CellKind kind)
{
    sheet::CellData c;
    c.row = row;
    c.col = col;
    c.kind = kind;
    return c;
}

QByteArray sampleAnswer()
{
    QByteArray out;
    AnswerWriter writer([&out](const QByteArray& bytes) { out += bytes; });
    writer.beginSheet(QString::fromUtf8("Größe"));
    sheet::CellData n = makeCell(1, 1, sheet::CellKind::Number);
    n.number = 45366;
    n.format = QStringLiteral("dd.mm.yyyy");
    writer.addCell(n);
    n.col = 2;
    writer.addCell(n);  // the format goes over once
    sheet::CellData t = makeCell(2, 16384, sheet::CellKind::Text);
    t.text = QString::fromUtf8("a\tb\nü");
    writer.addCell(t);
    sheet::CellData b = makeCell(1048576, 1, sheet::CellKind::Boolean);
    b.number = 1;
    writer.addCell(b);
    writer.beginSheet(QStringLiteral("Zwei"));
    sheet::CellData e = makeCell(3, 3, sheet::CellKind::Error);
    e.error = sheet::ErrorCode::Div0;
    writer.addCell(e);
    writer.finish();
    return out;
}

AnswerDecoder::State decode(const QByteArray& answer, WorkbookCollector& collector, qsizetype piece = 1 << 20)
{
    AnswerDecoder decoder(collector);
    for (qsizetype at = 0; at < answer.size(); at += piece) decoder.feed(QByteArrayView(answer.constData() + at, std::min(piece, answer.size() - at)));
    return decoder.state();
}

}  // namespace

TEST(WorkbookAnswer, ArrivesWholeInPiecesOfAnySize)
{
    const QByteArray answer = sampleAnswer();
    for (const qsizetype piece : {qsizetype(1), qsizetype(7), answer.size()}) {
        WorkbookCollector collector;
        ASSERT_EQ(decode(answer, collector, piece), AnswerDecoder::State::Finished) << piece;
        const sheet::WorkbookData book = collector.take();
        ASSERT_EQ(book.sheets.size(), 2u);
        EXPECT_EQ(book.sheets[0].name, QString::fromUtf8("Größe"));
        ASSERT_EQ(book.sheets[0].cells.size(), 4u);
        EXPECT_EQ(book.sheets[0].cells[1].format, "dd.mm.yyyy");
        EXPECT_DOUBLE_EQ(book.sheets[0].cells[1].number, 45366);
        EXPECT_EQ(book.sheets[0].cells[2].text, QString::fromUtf8("a\tb\nü"));
        EXPECT_EQ(book.sheets[0].cells[3].row, 1048576);
        EXPECT_EQ(book.sheets[1].cells[0].error, sheet::ErrorCode::Div0);
    }
}

TEST(WorkbookAnswer, AFailedReadBringsItsReason)
{
    QByteArray out;
    AnswerWriter writer([&out](const QByteArray& bytes) { out += bytes; });
    writer.fail(QStringLiteral("the file asks for 9 sheets"));
    WorkbookCollector collector;
    AnswerDecoder decoder(collector);
    decoder.feed(out);
    EXPECT_EQ(decoder.state(), AnswerDecoder::State::ReadFailed);
    EXPECT_EQ(decoder.message(), "the file asks for 9 sheets");
}

TEST(WorkbookAnswer, DamagedAnswersAreRefused)
{
    const QByteArray good = sampleAnswer();
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const QByteArray sheet = "S" + le32(1) + "A";
    const struct {
        const char* what;
        QByteArray answer;
        AnswerDecoder::State expected;
    } cases[] = {
        {"cut short", good.left(good.size() - 1), AnswerDecoder::State::Reading},
        {"bytes after the end", good + "S", AnswerDecoder::State::Damaged},
        {"unknown record", sheet + "Q", AnswerDecoder::State::Damaged},
        {"cell before any sheet", "B" + le32(1) + le32(1) + QByteArray(1, '\1'), AnswerDecoder::State::Damaged},
        {"row 0", sheet + "B" + le32(0) + le32(1) + QByteArray(1, '\1'), AnswerDecoder::State::Damaged},
        {"column past XFD", sheet + "B" + le32(1) + le32(16385) + QByteArray(1, '\1'), AnswerDecoder::State::Damaged},
        {"boolean 2", sheet + "B" + le32(1) + le32(1) + QByteArray(1, '\2'), AnswerDecoder::State::Damaged},
        {"error code 0", sheet + "E" + le32(1) + le32(1) + QByteArray(1, '\0'), AnswerDecoder::State::Damaged},
        {"error code past #N/A", sheet + "E" + le32(1) + le32(1) + QByteArray(1, '\x08'), AnswerDecoder::State::Damaged},
        {"format never sent", sheet + "N" + le32(1) + le32(1) + QByteArray(8, '\0') + le32(1), AnswerDecoder::State::Damaged},
        {"not a number", sheet + "N" + le32(1) + le32(1) + QByteArray::fromHex("000000000000f87f") + le32(0),
         AnswerDecoder::State::Damaged},
        // Refused at its header, before 4 GiB could be awaited.
        {"text of 4 GiB", sheet + "T" + le32(1) + le32(1) + le32(0xffffffffu), AnswerDecoder::State::Damaged},
        {"sheet name of 4 GiB", "S" + le32(0xffffffffu), AnswerDecoder::State::Damaged},
        {"cells lost", sheet + "Z" + QByteArray::fromHex("0100000000000000"), AnswerDecoder::State::Damaged},
    };
    for (const auto& c : cases) {
        WorkbookCollector collector;
        EXPECT_EQ(decode(c.answer, collector), c.expected) << c.what;
    }
}

TEST(WorkbookAnswer, TheParentKeepsTheCellCap)
{
    // A reader that does not keep the cap is stopped by the parent.
    QByteArray answer = "S" + QByteArray::fromHex("01000000") + "A";
    QByteArray record = "B" + QByteArray(8, '\0') + QByteArray(1, '\1');
    struct Discard final : CellSink {
        void sheetStarted(const QString&) override {}
        void cellRead(const sheet::CellData&) override {}
    } discard;
    AnswerDecoder decoder(discard);
    decoder.feed(answer);
    for (quint32 i = 0; i < 9'000'000 && decoder.state() == AnswerDecoder::State::Reading; ++i) {
        qToLittleEndian<quint32>(i % 1'000'000 + 1, record.data() + 1);
        qToLittleEndian<quint32>(i / 1'000'000 + 1, record.data() + 5);
        decoder.feed(record);
    }
    EXPECT_EQ(decoder.state(), AnswerDecoder::State::Damaged);
    EXPECT_TRUE(decoder.message().contains(QStringLiteral("at most 8,000,000"))) << decoder.message().toStdString();
}
