// Copying the statistics block of the computation grid into the main
// window's statistics grid: the chart title, the data file name and the
// numbers of the three chart kinds (means, standard deviations, extremes,
// limits, alarm counts) at the cells the statistics templates label.
#pragma once

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState;

// One number carried from the computation grid to the statistics grid.
struct StatisticsCell {
    int targetRow, targetCol;   // statistics grid
    int sourceRow, sourceCol;   // computation grid
};

// The cells, in the order they are written.
inline constexpr StatisticsCell kStatisticsCells[] = {
    {3, 4, 1, 1},     // A1  number of data rows
    {8, 3, 4, 5},     // E4  Mittel
    {9, 3, 3, 5},     // E3  standard deviation of the row means
    {10, 3, 12, 5},   // E12 smallest row mean
    {11, 3, 11, 5},   // E11 largest row mean
    {12, 3, 5, 5},    // E5  WU
    {12, 5, 6, 5},    // E6  WO
    {13, 3, 7, 5},    // E7  KU
    {13, 5, 8, 5},    // E8  KO
    {14, 3, 1, 17},   // Q1  mean chart alarms
    {17, 3, 4, 9},    // I4  RMittel
    {18, 3, 3, 9},    // I3  standard deviation of the ranges
    {19, 3, 6, 9},    // I6  RWO
    {20, 3, 8, 9},    // I8  RKO
    {21, 3, 1, 32},   // AF1 range chart alarms
    {24, 3, 4, 11},   // K4  DMittel
    {25, 3, 3, 11},   // K3  standard deviation of the differences
    {26, 3, 5, 11},   // K5  DWU
    {26, 5, 6, 11},   // K6  DWO
    {27, 3, 7, 11},   // K7  DKU
    {27, 5, 8, 11},   // K8  DKO
    {28, 3, 1, 49},   // AW1 difference chart alarms
};

// Writes the title into (1, 2), the file name into (2, 2) and every number
// above. A computation cell holding an error (a block with one data row has
// no standard deviation) arrives as that error, never as 0.
void copyStatistics(const sheet::Spreadsheet& computationGrid, sheet::Spreadsheet& statisticsGrid,
                    const ProgramState& state);

}  // namespace chart
