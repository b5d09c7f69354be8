// Small helpers of the chart tests: a program state with its three grids,
// and an import grid filled from rows of values.
#pragma once

#include "components/sheet/spreadsheet.h"
#include "chart/program_state.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

namespace charttest {

struct StateFixture {
    sheet::Spreadsheet importGrid;
    sheet::Spreadsheet statisticsGrid;
    sheet::Spreadsheet scratchGrid;
    chart::ProgramState state;

    StateFixture()
    {
        importGrid.setDecimalSeparator(QLatin1Char('.'));
        statisticsGrid.setDecimalSeparator(QLatin1Char('.'));
        state.language = platform::Language::English;
        state.applicationDirectory = QStringLiteral("/nonexistent-plotwise-dir/");
        state.importGrid = &importGrid;
        state.statisticsGrid = &statisticsGrid;
        state.scratchGrid = &scratchGrid;
    }

    // Puts the cell texts of one import row from column 1 on; an empty text leaves the cell empty.
    void setRow(int row, std::initializer_list<const char*> cells)
    {
        int col = 1;
        for (const char* text : cells)
            importGrid.setText(row, col++, QString::fromUtf8(text));
    }
};

}  // namespace charttest
