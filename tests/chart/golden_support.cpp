// Golden-set reading and the fill sequence used by the engine tests.
#include "tests/chart/golden_support.h"

#include "chart/computation_layout.h"
#include "components/sheet/cell_address.h"
#include "components/sheet/spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <cmath>

namespace golden {

int columnNumber(const QString& letters)
{
    return sheet::columnNumber(letters);
}

QStringList allSetNames()
{
    QStringList names;
    for (const QString& file : QDir(QStringLiteral(PLOTWISE_GOLDEN_DIR)).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        names << file.chopped(5);
    return names;
}

GoldenSet load(const QString& name)
{
    GoldenSet set;
    set.name = name;
    const QString base = QStringLiteral(PLOTWISE_GOLDEN_DIR) + u'/' + name;
    QFile csv(base + QStringLiteral(".csv"));
    if (csv.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : csv.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line).trimmed();
            if (text.isEmpty() || text.startsWith(u'#')) continue;
            set.dataRows.push_back(text.split(u','));
        }
    }
    QFile json(base + QStringLiteral(".json"));
    if (json.open(QIODevice::ReadOnly)) set.expected = QJsonDocument::fromJson(json.readAll()).object();
    return set;
}

void fillComputationGrid(sheet::Spreadsheet& book, const std::vector<QStringList>& dataRows, platform::Language language)
{
    chart::buildReferenceLayout(book, language);
    const int n = static_cast<int>(dataRows.size());
    book.insertRange(17, 1, n + 15, 60, sheet::InsertKind::WholeRows);
    book.selectRange(16, 1, n + 15, 60);
    book.fillDown();
    for (int i = 0; i < n; ++i) {
        const QStringList& fields = dataRows[static_cast<size_t>(i)];
        const int row = 16 + i;
        book.setNumber(row, 1, fields[0].toDouble());
        for (int k = 1; k < fields.size() && k <= 3; ++k) book.setText(row, 1 + k, fields[k]);
    }
    book.clearRange(n + 16, 1, n + 16, 60, sheet::ClearKind::All);
}

std::string compareCell(const sheet::Spreadsheet& book, int row, int col, const QJsonValue& expected)
{
    const sheet::CellValue v = book.value(row, col);
    auto describe = [&]() {
        QString got;
        switch (v.kind) {
        case sheet::CellKind::Number: got = QString::number(v.number, 'g', 17); break;
        case sheet::CellKind::Text: got = u'"' + v.text + u'"'; break;
        case sheet::CellKind::Error: got = sheet::errorName(v.error); break;
        case sheet::CellKind::Boolean: got = v.number ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); break;
        default: got = QStringLiteral("empty"); break;
        }
        const QString want = expected.isNull() ? QStringLiteral("null")
                             : expected.isString() ? expected.toString()
                                                   : QString::number(expected.toDouble(), 'g', 17);
        return QStringLiteral("R%1C%2: got %3, expected %4").arg(row).arg(col).arg(got, want).toStdString();
    };
    if (expected.isNull()) {
        const bool blank = v.kind == sheet::CellKind::Empty || (v.kind == sheet::CellKind::Text && v.text.isEmpty());
        return blank ? std::string() : describe();
    }
    if (expected.isString()) {
        return v.kind == sheet::CellKind::Error && sheet::errorName(v.error) == expected.toString() ? std::string()
                                                                                                 : describe();
    }
    if (v.kind != sheet::CellKind::Number) return describe();
    const double want = expected.toDouble();
    if (want == 0.0 || want == 1.0) return v.number == want ? std::string() : describe();
    const double tolerance = 1e-9 * std::max(std::fabs(want), std::fabs(v.number));
    return std::fabs(v.number - want) <= tolerance ? std::string() : describe();
}

}  // namespace golden
