// The computation grid's reference layout, cell by cell. Data rows start at
// row 16; row 16 is the prototype row whose formulas the control chart fills
// down, row 17 closes the data block so that rows inserted at 17 widen every
// statistics range. Flag columns hold 1 or the empty text, so SUM and COUNTIF
// over them count fired rules only; the rule windows reach up into rows 6 to
// 15, whose cells in those columns are empty or labels and count as nothing.
#include "chart/computation_layout.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/spreadsheet.h"

#include <QRegularExpression>
#include <QString>

namespace chart {

namespace {

using sheet::Spreadsheet;

struct Label {
    const char* german;
    const char* english;
};

QString pick(const Label& label, platform::Language language)
{
    return QString::fromUtf8(language == platform::Language::English ? label.english : label.german);
}

// Column numbers of the layout, by letter.
int col(const char* letters)
{
    return sheet::columnNumber(std::string_view(letters));
}

// The statistics block: per cell its name (or none), its label and formula.
struct StatisticCell {
    const char* cell;       // column letter and row, e.g. "E5"
    const char* labelCol;   // column of the label in the same row, or nullptr
    const char* name;       // defined name, or nullptr
    Label label;
    const char* formula;
};

const StatisticCell kStatistics[] = {
    {"E4", "C", "Mittel", {"Mittel", "Mean"}, "=E2"},
    {"E5", "C", "WU", {"WU", "LWL"}, "=Mittel-(2*E3)"},
    {"E6", "C", "WO", {"WO", "UWL"}, "=Mittel+(2*E3)"},
    {"E7", "C", "KU", {"KU", "LCL"}, "=Mittel-(3*E3)"},
    {"E8", "C", "KO", {"KO", "UCL"}, "=Mittel+(3*E3)"},
    {"E9", "C", "Max", {"Max", "Max"}, "=E8+E3"},
    {"E10", "C", "MIN", {"Min", "Min"}, "=KU-E3"},
    {"E11", "C", nullptr, {"Maxa", "Max mean"}, "=MAX(E16:E17)"},
    {"E12", "C", nullptr, {"Mina", "Min mean"}, "=MIN(E16:E17)"},
    {"I4", "H", "RMittel", {"RMittel", "R mean"}, "=I2"},
    {"I6", "H", "RWO", {"RWO", "R UWL"}, "=I2+(2*I3)"},
    {"I8", "H", "RKO", {"RKO", "R UCL"}, "=I2+(3*I3)"},
    {"I9", "H", "RMax", {"RMax", "R max"}, "=I8+I3"},
    {"K4", "J", "DMittel", {"DMittel", "D mean"}, "=K2"},
    {"K5", "J", "DWU", {"DWU", "D LWL"}, "=DMittel-(2*K3)"},
    {"K6", "J", "DWO", {"DWO", "D UWL"}, "=DMittel+(2*K3)"},
    {"K7", "J", "DKU", {"DKU", "D LCL"}, "=DMittel-(3*K3)"},
    {"K8", "J", "DKO", {"DKO", "D UCL"}, "=DMittel+(3*K3)"},
    {"K9", "J", "DMax", {"DMax", "D max"}, "=K8+K3"},
};

// Row 15 (series name) and row-16 formula of each computed column; the rule
// windows look 7, 3 and 11 rows back including the current row.
struct DataColumn {
    const char* column;
    Label header;
    const char* formula;  // nullptr: written by the program
};

const DataColumn kDataColumns[] = {
    {"A", {"Serie", "Series"}, nullptr},
    {"B", {"Messung1", "Value1"}, nullptr},
    {"C", {"Messung2", "Value2"}, nullptr},
    {"D", {"Messung3", "Value3"}, nullptr},
    {"E", {"Mittel", "Mean"}, "=(B16+C16+D16)/COUNT(B16:D16)"},
    {"F", {"AKM", "AlarmX"}, "=IF(Q16>0,Max,MIN)"},
    {"G", {"AKR", "AlarmR"}, "=IF(AF16>0,RMax,0)"},
    {"H", {"AKD", "AlarmD"}, "=IF(AW16>0,IF(K16>0,DMax,DMax*-1.0),0)"},
    {"I", {"Ri", "Range"},
     "=IF(COUNT(B16:D16)>1,ABS(MAX(B16:D16)-MIN(B16:D16)),IF(ISNUMBER(B15),ABS(B16-B15),0))"},
    {"J", {"Ri/Mittel", "Range/Mean"}, "=I16/E16*100"},
    {"K", {"diff", "Diff"},
     "=IF(COUNT(B16:D16)<2,IF(ISNUMBER(B15),B15-B16,0),"
     "IF(ISBLANK(D16),C16-B16,IF(ABS(C16-B16)>ABS(D16-B16),C16-B16,D16-B16)))"},
    {"L", {"KU", "LCL"}, "=KU"},
    {"M", {"WU", "LWL"}, "=WU"},
    {"N", {"Xm", "CL"}, "=Mittel"},
    {"O", {"WO", "UWL"}, "=WO"},
    {"P", {"KO", "UCL"}, "=KO"},
    {"Q", {"AKS", "Alarms"}, "=SUM(R16,Y16,Z16,AA16,AB16)"},
    {"R", {"K+-", "K+-"}, "=IF(OR(E16>KO,E16<KU),1,\"\")"},
    {"S", {"W+", "W+"}, "=IF(E16>WO,1,\"\")"},
    {"T", {"W-", "W-"}, "=IF(E16<WU,1,\"\")"},
    {"U", {"Z+", "Z+"}, "=IF(E16>Mittel,1,\"\")"},
    {"V", {"Z-", "Z-"}, "=IF(E16<Mittel,1,\"\")"},
    {"W", {"w<", "w<"}, "=IF(E16<E15,1,\"\")"},
    {"X", {"w>", "w>"}, "=IF(E16>E15,1,\"\")"},
    {"Y", {"\"7+_\"", "\"7+_\""}, "=IF(OR(SUM(U10:U16)=7,SUM(V10:V16)=7),1,\"\")"},
    {"Z", {"\"7Z+-\"", "\"7Z+-\""}, "=IF(OR(SUM(X10:X16)=7,SUM(W10:W16)=7),1,\"\")"},
    {"AA", {"\"2/3\"", "\"2/3\""}, "=IF(OR(SUM(T14:T16)>1,SUM(S14:S16)>1),1,\"\")"},
    {"AB", {"\"10/11\"", "\"10/11\""}, "=IF(OR(SUM(U6:U16)>9,SUM(V6:V16)>9),1,\"\")"},
    {"AC", {"Xmr", "CLr"}, "=RMittel"},
    {"AD", {"WOr", "UWLr"}, "=RWO"},
    {"AE", {"KOr", "UCLr"}, "=RKO"},
    {"AF", {"AKSr", "Alarms r"}, "=SUM(AG16,AN16,AO16,AP16,AQ16)"},
    {"AG", {"K+-", "K+-"}, "=IF(I16>RKO,1,\"\")"},
    {"AH", {"W+", "W+"}, "=IF(I16>RWO,1,\"\")"},
    {"AI", {"W-", "W-"}, "=\"\""},
    {"AJ", {"Z+", "Z+"}, "=IF(I16>RMittel,1,\"\")"},
    {"AK", {"Z-", "Z-"}, "=\"\""},
    {"AL", {"w<", "w<"}, "=IF(I16<I15,1,\"\")"},
    {"AM", {"w>", "w>"}, "=IF(I16>I15,1,\"\")"},
    {"AN", {"\"7+_\"", "\"7+_\""}, "=IF(OR(SUM(AJ10:AJ16)=7,SUM(AK10:AK16)=7),1,\"\")"},
    {"AO", {"\"7Z+-\"", "\"7Z+-\""}, "=IF(OR(SUM(AM10:AM16)=7,SUM(AL10:AL16)=7),1,\"\")"},
    {"AP", {"\"2/3\"", "\"2/3\""}, "=IF(OR(SUM(AI14:AI16)>1,SUM(AH14:AH16)>1),1,\"\")"},
    {"AQ", {"\"10/11\"", "\"10/11\""}, "=IF(OR(SUM(AJ6:AJ16)>9,SUM(AK6:AK16)>9),1,\"\")"},
    {"AR", {"KUd", "LCLd"}, "=DKU"},
    {"AS", {"wud", "LWLd"}, "=DWU"},
    {"AT", {"xmd", "CLd"}, "=DMittel"},
    {"AU", {"wod", "UWLd"}, "=DWO"},
    {"AV", {"kod", "UCLd"}, "=DKO"},
    {"AW", {"AKSd", "Alarms d"}, "=SUM(AX16,BE16,BF16,BG16,BH16)"},
    {"AX", {"K+-", "K+-"}, "=IF(OR(K16>DKO,K16<DKU),1,\"\")"},
    {"AY", {"W+", "W+"}, "=IF(K16>DWO,1,\"\")"},
    {"AZ", {"W-", "W-"}, "=IF(K16<DWU,1,\"\")"},
    {"BA", {"Z+", "Z+"}, "=IF(K16>DMittel,1,\"\")"},
    {"BB", {"Z-", "Z-"}, "=IF(K16<DMittel,1,\"\")"},
    {"BC", {"w<", "w<"}, "=IF(K16<K15,1,\"\")"},
    {"BD", {"w>", "w>"}, "=IF(K16>K15,1,\"\")"},
    {"BE", {"\"7+_\"", "\"7+_\""}, "=IF(OR(SUM(BA10:BA16)=7,SUM(BB10:BB16)=7),1,\"\")"},
    {"BF", {"\"7Z+-\"", "\"7Z+-\""}, "=IF(OR(SUM(BD10:BD16)=7,SUM(BC10:BC16)=7),1,\"\")"},
    {"BG", {"\"2/3\"", "\"2/3\""}, "=IF(OR(SUM(AZ14:AZ16)>1,SUM(AY14:AY16)>1),1,\"\")"},
    {"BH", {"\"10/11\"", "\"10/11\""}, "=IF(OR(SUM(BA6:BA16)>9,SUM(BB6:BB16)>9),1,\"\")"},
};

// Row 14: the number of each rule over its flag column in the three charts.
const struct {
    const char* number;
    const char* columns[3];
} kRuleNumbers[] = {
    {"1.", {"R", "AG", "AX"}},
    {"2.", {"Y", "AN", "BE"}},
    {"3.", {"Z", "AO", "BF"}},
    {"4.", {"AA", "AP", "BG"}},
    {"5.", {"AB", "AQ", "BH"}},
};

void splitCell(const char* cell, int* row, int* column)
{
    const auto address = sheet::parseCellAddress(std::string_view(cell));
    *row = address->row;
    *column = address->col;
}

}  // namespace

void buildReferenceLayout(Spreadsheet& book, platform::Language language)
{
    // Statistics over the data block, rows 16 to 17.
    book.setFormula(1, 1, "=COUNT(A16:A17)");
    book.setDefinedName("mess", "$A$1");
    for (const char* column : {"B", "C", "D", "E", "I", "J", "K"}) {
        const QString c = QString::fromLatin1(column);
        book.setFormula(1, col(column), QStringLiteral("=SUM(%1:%2)").arg(c + "16", c + "17"));
        book.setFormula(2, col(column), QStringLiteral("=%1/mess").arg(c + "1"));
        if (c != u"E") book.setFormula(3, col(column), QStringLiteral("=STDEV(%1:%2)").arg(c + "16", c + "17"));
    }
    book.setFormula(3, col("E"), "=STDEVP(E16:$E17)");
    for (const StatisticCell& s : kStatistics) {
        int row, column;
        splitCell(s.cell, &row, &column);
        book.setFormula(row, column, QString::fromLatin1(s.formula));
        if (s.name) {
            const QString cell = QString::fromLatin1(s.cell);
            const QString letters = cell.left(cell.indexOf(QRegularExpression(QStringLiteral("[0-9]"))));
            book.setDefinedName(QString::fromLatin1(s.name),
                                QStringLiteral("$%1$%2").arg(letters, cell.mid(letters.size())));
        }
        if (s.labelCol) book.setLiteralText(row, col(s.labelCol), pick(s.label, language));
    }
    // Rows on which at least one rule of the chart fired.
    for (const char* column : {"Q", "AF", "AW"})
    {
        const QString c = QString::fromLatin1(column);
        book.setFormula(1, col(column), QStringLiteral("=COUNTIF(%1:%2,\">0\")").arg(c + "16", c + "17"));
    }

    for (const auto& rule : kRuleNumbers)
        for (const char* column : rule.columns) book.setLiteralText(14, col(column), QString::fromLatin1(rule.number));

    for (const DataColumn& d : kDataColumns) {
        const int c = col(d.column);
        book.setLiteralText(15, c, pick(d.header, language));
        if (d.formula) book.setFormula(16, c, QString::fromLatin1(d.formula));
    }
    // Two sample data rows; row 17 carries the prototype formulas too.
    book.setNumber(16, 1, 1);
    book.setNumber(16, 2, 1);
    book.setNumber(17, 1, 2);
    book.setNumber(17, 2, 2);
    book.selectRange(16, 5, 17, 60);
    book.fillDown();
    book.selectRange(1, 1, 1, 1);
}

}  // namespace chart
