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

    const ChartLook& editedLook() const { return m_look; }
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

    ChartView* m_chart;
    ChartLook m_look;
    int m_seriesCount = 0;
    bool m_loading = false;

    QListWidget* m_seriesList = nullptr;
    QComboBox* m_kind = nullptr;
    QPushButton* m_seriesColor = nullptr;
    QColor m_seriesColorValue;
    QDoubleSpinBox* m_lineWidth = nullptr;
    QComboBox* m_lineStyle = nullptr;
    QComboBox* m_marker = nullptr;
    QDoubleSpinBox* m_markerSize = nullptr;
    QCheckBox* m_visible = nullptr;

    QCheckBox* m_autoScale = nullptr;
    QDoubleSpinBox* m_minimum = nullptr;
    QDoubleSpinBox* m_maximum = nullptr;
    QSpinBox* m_major = nullptr;
    QSpinBox* m_minor = nullptr;
    QCheckBox* m_xGrid = nullptr;
    QCheckBox* m_yGrid = nullptr;
    QCheckBox* m_yMinorGrid = nullptr;

    QCheckBox* m_legendVisible = nullptr;
    QComboBox* m_legendPosition = nullptr;
    QVector<std::pair<QPushButton*, QColor*>> m_colorButtons;
    QVector<std::pair<QPushButton*, QFont*>> m_fontButtons;
    QDialogButtonBox* m_buttons = nullptr;
};

}  // namespace chartcomponent
