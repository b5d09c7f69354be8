// The statistics grid's capability block; see capability_block.h.
#include "chart/capability_block.h"

#include "chart/chart_job.h"
#include "chart/computation_fill.h"
#include "components/sheet/spreadsheet.h"

namespace chart {

namespace {

using namespace capabilityrows;
using capability::Figure;

void writeFigure(sheet::Spreadsheet& grid, int row, int col, const Figure& figure)
{
    if (figure.ok())
        grid.setNumber(row, col, figure.value);
    else
        grid.setError(row, col, figure.error);
}

void writeOptional(sheet::Spreadsheet& grid, int row, int col, const std::optional<double>& value)
{
    if (value)
        grid.setNumber(row, col, *value);
    else
        grid.setText(row, col, QString());
}

void writePpm(sheet::Spreadsheet& grid, int row, const capability::PpmFigures& ppm)
{
    writeFigure(grid, row, kValueColumn, ppm.belowLower);
    writeFigure(grid, row, kLowerBoundColumn, ppm.aboveUpper);
    writeFigure(grid, row, kUpperBoundColumn, ppm.total);
}

bool english(platform::Language language)
{
    return language == platform::Language::English;
}

}  // namespace

std::vector<double> capabilityValues(const sheet::Spreadsheet& grid, std::int32_t lastComputationRow,
                                     const ChartJob& job, int* columns)
{
    // The fill copies value slot k into grid column k + 2 (B, C, D).
    std::vector<int> gridColumns;
    for (int k = 0; k < 3; ++k) {
        if (job.valueColumns[std::size_t(k)] > 0)
            gridColumns.push_back(k + 2);
    }
    if (columns)
        *columns = std::max<int>(1, int(gridColumns.size()));
    std::vector<double> values;
    if (lastComputationRow < kFirstDataRow || gridColumns.empty())
        return values;
    values.reserve(std::size_t(lastComputationRow - kFirstDataRow + 1) * gridColumns.size());
    for (int row = kFirstDataRow; row <= lastComputationRow; ++row) {
        for (int col : gridColumns)
            values.push_back(grid.number(row, col));
    }
    return values;
}

QString capabilityLimitsNote(const capability::CapabilityFigures& figures, platform::Language language)
{
    using capability::LimitsState;
    const bool en = english(language);
    switch (figures.limits) {
    case LimitsState::None:
        return en ? QStringLiteral("No specification limits given: no indices.")
                  : QStringLiteral("Keine Toleranzgrenzen angegeben: keine Kennzahlen.");
    case LimitsState::Inverted:
        return en ? QStringLiteral("The lower specification limit is not below the upper one: no indices.")
                  : QStringLiteral("Die untere Toleranzgrenze liegt nicht unter der oberen: keine Kennzahlen.");
    default:
        break;
    }
    if (figures.targetOutsideLimits)
        return en ? QStringLiteral("The target lies outside the specification limits.")
                  : QStringLiteral("Der Sollwert liegt außerhalb der Toleranzgrenzen.");
    return QString();
}

QString capabilityNormalityNote(const capability::NormalityFigures& normality, platform::Language language)
{
    if (!normality.pValue.ok() || normality.pValue.value >= kNormalitySignificance)
        return QString();
    return english(language)
               ? QStringLiteral("The values do not look normal (p < 0.05): the expected ppm may mislead.")
               : QStringLiteral("Die Werte sehen nicht normalverteilt aus (p < 0,05): die erwarteten ppm können täuschen.");
}

void writeCapabilityBlock(sheet::Spreadsheet& grid, const capability::CapabilityFigures& figures,
                          const std::optional<capability::NormalityFigures>& normality,
                          const capability::SpecificationLimits& limits, platform::Language language)
{
    for (int i = 0; i < kIndexRows; ++i) {
        const int row = kIndexFirst + i;
        if (std::size_t(i) >= figures.indices.size()) {
            for (int col : {kLabelColumn, kValueColumn, kLowerBoundColumn, kUpperBoundColumn})
                grid.setText(row, col, QString());
            continue;
        }
        const capability::IndexFigure& index = figures.indices[std::size_t(i)];
        grid.setLiteralText(row, kLabelColumn, QString::fromLatin1(capability::indexLabel(index.kind)));
        writeFigure(grid, row, kValueColumn, index.value);
        if (index.hasBounds) {
            writeFigure(grid, row, kLowerBoundColumn, index.lowerBound);
            writeFigure(grid, row, kUpperBoundColumn, index.upperBound);
        } else {
            grid.setText(row, kLowerBoundColumn, QString());
            grid.setText(row, kUpperBoundColumn, QString());
        }
    }
    const QString limitsNote = capabilityLimitsNote(figures, language);
    if (limitsNote.isEmpty())
        grid.setText(kLimitsNote, kLabelColumn, QString());
    else
        grid.setLiteralText(kLimitsNote, kLabelColumn, limitsNote);

    writeOptional(grid, kLimits, kValueColumn, limits.lower);
    writeOptional(grid, kLimits, kUpperBoundColumn, limits.upper);
    writeOptional(grid, kTarget, kValueColumn, limits.target);
    grid.setNumber(kCount, kValueColumn, double(figures.count));
    writeFigure(grid, kMean, kValueColumn, figures.mean);
    writeFigure(grid, kSigmaWithin, kValueColumn, figures.sigmaWithin);
    writeFigure(grid, kSigmaOverall, kValueColumn, figures.sigmaOverall);
    writePpm(grid, kObserved, figures.observed);
    writePpm(grid, kExpectedWithin, figures.expectedWithin);
    writePpm(grid, kExpectedOverall, figures.expectedOverall);
    writeCapabilityNormality(grid, normality, language);
}

void writeCapabilityNormality(sheet::Spreadsheet& grid, const std::optional<capability::NormalityFigures>& normality,
                              platform::Language language)
{
    if (!normality) {
        grid.setLiteralText(kStatistic, kValueColumn, pendingFigureText(language));
        grid.setLiteralText(kPValue, kValueColumn, pendingFigureText(language));
        grid.setText(kNormalityNote, kLabelColumn, QString());
        return;
    }
    writeFigure(grid, kStatistic, kValueColumn, normality->statistic);
    writeFigure(grid, kPValue, kValueColumn, normality->pValue);
    const QString normalityNote = capabilityNormalityNote(*normality, language);
    if (normalityNote.isEmpty())
        grid.setText(kNormalityNote, kLabelColumn, QString());
    else
        grid.setLiteralText(kNormalityNote, kLabelColumn, normalityNote);
}

bool capabilityNormalityPending(const sheet::Spreadsheet& grid)
{
    if (grid.cellType(kPValue, kValueColumn) != sheet::CellType::Text)
        return false;
    const QString shown = grid.text(kPValue, kValueColumn);
    return shown == pendingFigureText(platform::Language::German)
           || shown == pendingFigureText(platform::Language::English);
}

QString pendingFigureText(platform::Language language)
{
    return english(language) ? QStringLiteral("computing …") : QStringLiteral("wird berechnet …");
}

}  // namespace chart
