// Column letters in bijective base 26, as spreadsheets name their columns.
#include "components/sheetview/column_name.h"

namespace sheetview {

QString columnLetters(int col)
{
    QString letters;
    while (col > 0) {
        const int digit = (col - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        col = (col - 1) / 26;
    }
    return letters;
}

QString cellAddress(int row, int col)
{
    return columnLetters(col) + QString::number(row);
}

}  // namespace sheetview
