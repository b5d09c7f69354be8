// Where the settings file keeps the chart looks the user chose: one section,
// one key per chart. The main window writes them when the user picks a look;
// the control chart and the comparison chart read them when they draw.
#pragma once

namespace chart {

inline constexpr const char* kChartLookSection = "GraphDef";
inline constexpr const char* kControlChartLookKey = "XYFile";
inline constexpr const char* kComparisonLookKey = "VglFile";
inline constexpr const char* kCapabilityLookKey = "CapFile";

}  // namespace chart
