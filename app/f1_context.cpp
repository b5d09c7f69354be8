// The F1 rules; see f1_context.h.
#include "app/f1_context.h"

namespace app {

int chooseF1Context(const F1Situation& s)
{
    if (s.item == F1Item::SeparatorOrColumnField) return kSeparatorContext;
    if (s.item == F1Item::ImportGrid) return kImportGridContext;
    if (s.item == F1Item::StatisticsGrid || s.statisticsPageActive) return kStatisticsGridContext;
    if (s.item == F1Item::PageControl) return s.pageControlContext;
    if (s.item == F1Item::DataFileControl) return kDataFileContext;
    if (s.activeWindowName == QLatin1String("frmtxtChart")) return kControlChartContext;
    if (s.activeWindowName == QLatin1String("frmxyCompare")) return kComparisonContext;
    return kFirstRowContext;
}

}  // namespace app
