// Which help topic F1 opens. The item under help (the control with the focus)
// is named by its role; the choice also looks at the main window's active page
// and at the window that has the focus. The first rule that matches wins:
//   1. the separator box or the start or end column field: 24
//   2. the import grid: 28
//   3. the statistics grid, or any item while the statistics page is shown: 29
//   4. the page control while the import page is shown: the page control's own context
//   5. the file-name box, the open button or the "read again" button: 30
//   6. any item of the control chart window: 50
//   7. any item of the comparison window: 60
//   8. anything else: 26 (the first-data-row field)
#pragma once

#include <QString>

namespace app {

enum class F1Item {
    SeparatorOrColumnField,  // separator box, start column, end column
    ImportGrid,
    StatisticsGrid,
    PageControl,
    DataFileControl,         // file-name box, open button, "read again" button
    Other,
};

struct F1Situation {
    F1Item item = F1Item::Other;
    int pageControlContext = 0;  // the page control's own help context
    bool statisticsPageActive = false;
    QString activeWindowName;    // the focused window's object name ("frmtxtChart", ...)
};

inline constexpr int kSeparatorContext = 24;
inline constexpr int kFirstRowContext = 26;
inline constexpr int kImportGridContext = 28;
inline constexpr int kStatisticsGridContext = 29;
inline constexpr int kDataFileContext = 30;
inline constexpr int kControlChartContext = 50;
inline constexpr int kComparisonContext = 60;
inline constexpr int kContentsContext = 20;

int chooseF1Context(const F1Situation& situation);

}  // namespace app
