// The "Process capability" block of the statistics grid: the values of the
// last fill gathered for the capability figures, and the figures written
// below the control chart statistics. The statistics templates hold the
// block's fixed labels; the index labels (Cp or Cpu, ...) and the notes
// depend on the limits and are written here.
#pragma once

#include "capability/capability_figures.h"
#include "capability/normality_test.h"
#include "components/platform/language.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ChartJob;

// Rows and columns of the block in the statistics grid.
namespace capabilityrows {
inline constexpr int kIndexFirst = 32;       // up to five index rows: label A, value C, bounds D and E
inline constexpr int kIndexRows = 5;
inline constexpr int kLimitsNote = 37;       // note on the limits or the target, column A
inline constexpr int kLimits = 38;           // LSL C, USL E
inline constexpr int kTarget = 39;           // C
inline constexpr int kCount = 40;            // C
inline constexpr int kMean = 41;             // C
inline constexpr int kSigmaWithin = 42;      // C
inline constexpr int kSigmaOverall = 43;     // C
inline constexpr int kObserved = 46;         // below C, above D, total E
inline constexpr int kExpectedWithin = 47;
inline constexpr int kExpectedOverall = 48;
inline constexpr int kStatistic = 50;        // A^2, C
inline constexpr int kPValue = 51;           // C
inline constexpr int kNormalityNote = 52;    // column A
inline constexpr int kLabelColumn = 1;
inline constexpr int kValueColumn = 3;
inline constexpr int kLowerBoundColumn = 4;
inline constexpr int kUpperBoundColumn = 5;
}  // namespace capabilityrows

// Values below which the normality test rejects normal values, and the
// expected ppm are flagged as unreliable.
inline constexpr double kNormalitySignificance = 0.05;

// The values of the data rows of the computation grid (rows 16 to
// lastComputationRow), row by row, one per used value column of the job;
// `columns` receives their count (at least 1).
std::vector<double> capabilityValues(const sheet::Spreadsheet& computationGrid, std::int32_t lastComputationRow,
                                     const ChartJob& job, int* columns);

// Writes the figures into the block; cells of figures that cannot be
// computed get their error (#DIV/0!, #N/A). Absent limits leave their cells
// empty. Without normality figures (the test still runs on a worker) the
// normality cells say they are being computed.
void writeCapabilityBlock(sheet::Spreadsheet& statisticsGrid, const capability::CapabilityFigures& figures,
                          const std::optional<capability::NormalityFigures>& normality,
                          const capability::SpecificationLimits& limits, platform::Language language);

// The normality rows of the block alone (A^2, p-value, note), as above.
void writeCapabilityNormality(sheet::Spreadsheet& statisticsGrid,
                              const std::optional<capability::NormalityFigures>& normality,
                              platform::Language language);

// Whether the block shows the normality figures as being computed (in
// either language).
bool capabilityNormalityPending(const sheet::Spreadsheet& statisticsGrid);

// What a figure still being computed shows, in the block and the chart's note.
QString pendingFigureText(platform::Language language);

// The note of the block's limits row; empty when there is nothing to say.
QString capabilityLimitsNote(const capability::CapabilityFigures& figures, platform::Language language);

// The note on the normality test; empty when the values look normal.
QString capabilityNormalityNote(const capability::NormalityFigures& normality, platform::Language language);

}  // namespace chart
