// Process capability of a series of measured values against tolerance
// limits: the mean, the within and overall standard deviations, the indices
// Cp, Cpk, Pp, Ppk (one-sided Cpu/Cpl/Ppu/Ppl, Cpm with a target) with their
// 95 % confidence bounds, and the observed and expected share outside the
// limits in parts per million. Widget-free: the statistics page, the
// capability chart and plotwise-report all read the same figures.
#pragma once

#include "components/sheet/sheet_types.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace capability {

// Lower and upper tolerance limit (LSL, USL) and target; each may be absent.
struct SpecificationLimits {
    std::optional<double> lower;
    std::optional<double> upper;
    std::optional<double> target;
};

// A number or the spreadsheet error that stands in for it, so a figure that
// cannot be computed is shown as "#DIV/0!" or "#N/A", never as 0.
struct Figure {
    double value = 0.0;
    sheet::ErrorCode error = sheet::ErrorCode::None;

    bool ok() const { return error == sheet::ErrorCode::None; }
    static Figure of(double v) { return {v, sheet::ErrorCode::None}; }
    static Figure failed(sheet::ErrorCode e) { return {0.0, e}; }
};

enum class IndexKind { Cp, Cpk, Pp, Ppk, Cpu, Cpl, Ppu, Ppl, Cpm };

// "Cp", "Cpk", ...: the label the statistics page and the chart show.
const char* indexLabel(IndexKind kind);

// One capability index with its two-sided 95 % confidence bounds.
struct IndexFigure {
    IndexKind kind = IndexKind::Cp;
    Figure value;
    Figure lowerBound;
    Figure upperBound;
    bool hasBounds = true;   // Cpm has none
};

// Share of values outside the limits in parts per million.
struct PpmFigures {
    Figure belowLower;
    Figure aboveUpper;
    Figure total;
};

// Which limits take part.
enum class LimitsState { None, LowerOnly, UpperOnly, Both, Inverted };

LimitsState limitsState(const SpecificationLimits& limits);

struct CapabilityFigures {
    std::size_t count = 0;   // number of values
    int columns = 1;
    LimitsState limits = LimitsState::None;
    bool targetOutsideLimits = false;
    Figure mean;
    Figure sigmaWithin;
    Figure sigmaOverall;
    std::vector<IndexFigure> indices;
    PpmFigures observed;
    PpmFigures expectedWithin;
    PpmFigures expectedOverall;
};

// The figures of `values`, stored row by row with `columns` values per row
// (1 to 3). The within standard deviation is the mean row range over d2 of
// the row size; with one column it is the mean moving range of consecutive
// values over d2(2). A standard deviation below 1e-12 of |mean| counts as
// zero: constant decimal data gives a few 1e-16 in binary.
CapabilityFigures computeCapability(std::span<const double> values, int columns,
                                    const SpecificationLimits& limits);

// d2, the expected range of `size` independent standard normal values, for
// size 2 and 3 (2/sqrt(pi), 3/sqrt(pi)); 0 for other sizes.
double rangeFactorD2(int size);

}  // namespace capability
