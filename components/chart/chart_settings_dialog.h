// ChartSettingsDialog: the chart component's own settings dialog. It edits a
// copy of the chart's look: per series the kind (line, points, step, bars),
// colour, line width and style, marker and visibility; the legend; the value
// scale (automatic, or fixed bounds and divisions); grid lines; fonts and
// background colours. Apply and OK hand the copy to the chart, which draws it
// and raises changesApplied; Cancel drops it.
#pragma once

#include "components/chart/chart_look.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace chartcomponent {

class ChartView;

class ChartSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ChartSettingsDialog(ChartView* chart, QWidget* parent = nullptr);

    const ChartLook& editedLook() const { return mLook; }
    // Hands the edited look to the chart; false (with a message) when the
    // fixed scale's bounds are not in order.
    bool apply();

private:
    QWidget* buildSeriesPage();
    QWidget* buildAxesPage();
    QWidget* buildAppearancePage();
    void showSeries(int row);
    void storeSeries();
    void storeGeneral();
    void loadGeneral();
    QPushButton* colorButton(QColor* target);
    QPushButton* fontButton(QFont* target);
    void refreshButtons();

    ChartView* mChart;
    ChartLook mLook;
    int mSeriesCount = 0;
    bool mLoading = false;

    QListWidget* mSeriesList = nullptr;
    QComboBox* mKind = nullptr;
    QPushButton* mSeriesColor = nullptr;
    QColor mSeriesColorValue;
    QDoubleSpinBox* mLineWidth = nullptr;
    QComboBox* mLineStyle = nullptr;
    QComboBox* mMarker = nullptr;
    QDoubleSpinBox* mMarkerSize = nullptr;
    QCheckBox* mVisible = nullptr;

    QCheckBox* mAutoScale = nullptr;
    QDoubleSpinBox* mMinimum = nullptr;
    QDoubleSpinBox* mMaximum = nullptr;
    QSpinBox* mMajor = nullptr;
    QSpinBox* mMinor = nullptr;
    QCheckBox* mXGrid = nullptr;
    QCheckBox* mYGrid = nullptr;
    QCheckBox* mYMinorGrid = nullptr;

    QCheckBox* mLegendVisible = nullptr;
    QComboBox* mLegendPosition = nullptr;
    QVector<std::pair<QPushButton*, QColor*>> mColorButtons;
    QVector<std::pair<QPushButton*, QFont*>> mFontButtons;
    QDialogButtonBox* mButtons = nullptr;
};

}  // namespace chartcomponent
