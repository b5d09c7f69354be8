// The chart component's settings dialog. Widgets write into the dialog's copy
// of the look as they change; nothing reaches the chart before Apply or OK.
#include "components/chart/chart_settings_dialog.h"

#include "components/chart/chart_view.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

namespace chartcomponent {

namespace {

QIcon colorIcon(const QColor& color) {
    QPixmap pixmap(28, 14);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

QString fontText(const QFont& font) {
    QString text = QStringLiteral("%1, %2 pt").arg(font.family()).arg(font.pointSizeF());
    if (font.bold()) text += QStringLiteral(", bold");
    if (font.italic()) text += QStringLiteral(", italic");
    return text;
}

template <typename Enum>
QComboBox* enumCombo(const QVector<Enum>& values, QString (*name)(Enum), QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (Enum value : values) combo->addItem(name(value), QVariant::fromValue(int(value)));
    return combo;
}

template <typename Enum>
void selectEnum(QComboBox* combo, Enum value) {
    combo->setCurrentIndex(std::max(0, combo->findData(int(value))));
}

template <typename Enum>
Enum selectedEnum(const QComboBox* combo) {
    return Enum(combo->currentData().toInt());
}

QDoubleSpinBox* boundBox(QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-1e12, 1e12);
    box->setDecimals(6);
    return box;
}

}  // namespace

ChartSettingsDialog::ChartSettingsDialog(ChartView* chart, QWidget* parent)
    : QDialog(parent), m_chart(chart), m_look(chart->look()) {
    setWindowTitle(tr("Chart settings"));
    m_seriesCount = std::max(chart->columnCount(), int(m_look.series.size()));

    auto* tabs = new QTabWidget(this);
    tabs->addTab(buildSeriesPage(), tr("Series"));
    tabs->addTab(buildAxesPage(), tr("Axes and grid"));
    tabs->addTab(buildAppearancePage(), tr("Legend and fonts"));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] { if (apply()) accept(); });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(m_buttons);

    loadGeneral();
    if (m_seriesCount > 0) m_seriesList->setCurrentRow(0);
    else showSeries(-1);
}

QWidget* ChartSettingsDialog::buildSeriesPage() {
    auto* page = new QWidget(this);
    m_seriesList = new QListWidget(page);
    m_seriesList->setObjectName(QStringLiteral("seriesList"));
    for (int s = 1; s <= m_seriesCount; ++s) {
        QString label;
        if (s <= m_chart->columnCount()) label = m_chart->chartData().columnLabel(s);
        m_seriesList->addItem(label.isEmpty() ? tr("Series %1").arg(s) : QStringLiteral("%1: %2").arg(s).arg(label));
    }
    m_seriesList->setMinimumWidth(150);

    m_kind = enumCombo(allSeriesKinds(), &seriesKindName, page);
    m_kind->setObjectName(QStringLiteral("seriesKind"));
    m_seriesColor = new QPushButton(page);
    m_seriesColor->setObjectName(QStringLiteral("seriesColor"));
    m_lineWidth = new QDoubleSpinBox(page);
    m_lineWidth->setRange(0, 20);
    m_lineWidth->setSingleStep(0.5);
    m_lineWidth->setDecimals(1);
    m_lineStyle = enumCombo(allPenStyles(), &penStyleName, page);
    m_marker = enumCombo(allMarkerShapes(), &markerShapeName, page);
    m_markerSize = new QDoubleSpinBox(page);
    m_markerSize->setRange(1, 40);
    m_markerSize->setDecimals(1);
    m_visible = new QCheckBox(tr("Show this series"), page);
    m_visible->setObjectName(QStringLiteral("seriesVisible"));

    auto* form = new QFormLayout;
    form->addRow(tr("Kind:"), m_kind);
    form->addRow(tr("Colour:"), m_seriesColor);
    form->addRow(tr("Line width:"), m_lineWidth);
    form->addRow(tr("Line style:"), m_lineStyle);
    form->addRow(tr("Marker:"), m_marker);
    form->addRow(tr("Marker size:"), m_markerSize);
    form->addRow(QString(), m_visible);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_seriesList);
    layout->addLayout(form, 1);

    connect(m_seriesList, &QListWidget::currentRowChanged, this, &ChartSettingsDialog::showSeries);
    connect(m_seriesColor, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_seriesColorValue, this, tr("Series colour"));
        if (!chosen.isValid()) return;
        m_seriesColorValue = chosen;
        m_seriesColor->setIcon(colorIcon(chosen));
        storeSeries();
    });
    for (QComboBox* combo : {m_kind, m_lineStyle, m_marker})
        connect(combo, &QComboBox::currentIndexChanged, this, &ChartSettingsDialog::storeSeries);
    for (QDoubleSpinBox* box : {m_lineWidth, m_markerSize})
        connect(box, &QDoubleSpinBox::valueChanged, this, &ChartSettingsDialog::storeSeries);
    connect(m_visible, &QCheckBox::toggled, this, &ChartSettingsDialog::storeSeries);
    return page;
}

QWidget* ChartSettingsDialog::buildAxesPage() {
    auto* page = new QWidget(this);
    auto* scaleBox = new QGroupBox(tr("Value scale (y axis)"), page);
    m_autoScale = new QCheckBox(tr("Automatic"), scaleBox);
    m_autoScale->setObjectName(QStringLiteral("autoScale"));
    m_minimum = boundBox(scaleBox);
    m_minimum->setObjectName(QStringLiteral("scaleMinimum"));
    m_maximum = boundBox(scaleBox);
    m_maximum->setObjectName(QStringLiteral("scaleMaximum"));
    m_major = new QSpinBox(scaleBox);
    m_major->setRange(1, 1000);
    m_minor = new QSpinBox(scaleBox);
    m_minor->setRange(1, 100);
    auto* scaleForm = new QFormLayout(scaleBox);
    scaleForm->addRow(QString(), m_autoScale);
    scaleForm->addRow(tr("Minimum:"), m_minimum);
    scaleForm->addRow(tr("Maximum:"), m_maximum);
    scaleForm->addRow(tr("Major divisions:"), m_major);
    scaleForm->addRow(tr("Minor divisions:"), m_minor);

    auto* gridBox = new QGroupBox(tr("Grid lines"), page);
    m_xGrid = new QCheckBox(tr("Vertical lines at the x labels"), gridBox);
    m_yGrid = new QCheckBox(tr("Horizontal lines at the major divisions"), gridBox);
    m_yMinorGrid = new QCheckBox(tr("Horizontal lines at the minor divisions"), gridBox);
    auto* gridLayout = new QVBoxLayout(gridBox);
    gridLayout->addWidget(m_xGrid);
    gridLayout->addWidget(m_yGrid);
    gridLayout->addWidget(m_yMinorGrid);
    auto* gridColorRow = new QFormLayout;
    gridColorRow->addRow(tr("Colour:"), colorButton(&m_look.gridColor));
    gridLayout->addLayout(gridColorRow);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(scaleBox);
    layout->addWidget(gridBox);
    layout->addStretch(1);

    connect(m_autoScale, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    // The bounds are stored only when edited: the boxes show six decimals, and
    // a bound set by the program must not be rounded by an unrelated change.
    connect(m_minimum, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (!m_loading) m_look.valueScale.minimum = value;
    });
    connect(m_maximum, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (!m_loading) m_look.valueScale.maximum = value;
    });
    for (QSpinBox* box : {m_major, m_minor}) connect(box, &QSpinBox::valueChanged, this, &ChartSettingsDialog::storeGeneral);
    for (QCheckBox* box : {m_xGrid, m_yGrid, m_yMinorGrid})
        connect(box, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    return page;
}

QWidget* ChartSettingsDialog::buildAppearancePage() {
    auto* page = new QWidget(this);
    auto* legendBox = new QGroupBox(tr("Legend"), page);
    m_legendVisible = new QCheckBox(tr("Show the legend"), legendBox);
    m_legendVisible->setObjectName(QStringLiteral("legendVisible"));
    m_legendPosition = enumCombo(allLegendPositions(), &legendPositionName, legendBox);
    auto* legendForm = new QFormLayout(legendBox);
    legendForm->addRow(QString(), m_legendVisible);
    legendForm->addRow(tr("Position:"), m_legendPosition);

    auto* fontsBox = new QGroupBox(tr("Fonts"), page);
    auto* fontsForm = new QFormLayout(fontsBox);
    fontsForm->addRow(tr("Title:"), fontButton(&m_look.titleFont));
    fontsForm->addRow(tr("Axis titles:"), fontButton(&m_look.axisTitleFont));
    fontsForm->addRow(tr("Axis labels:"), fontButton(&m_look.tickLabelFont));
    fontsForm->addRow(tr("Legend:"), fontButton(&m_look.legendFont));

    auto* colorsBox = new QGroupBox(tr("Background"), page);
    auto* colorsForm = new QFormLayout(colorsBox);
    colorsForm->addRow(tr("Chart:"), colorButton(&m_look.background));
    colorsForm->addRow(tr("Plot area:"), colorButton(&m_look.plotBackground));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(legendBox);
    layout->addWidget(fontsBox);
    layout->addWidget(colorsBox);
    layout->addStretch(1);

    connect(m_legendVisible, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    connect(m_legendPosition, &QComboBox::currentIndexChanged, this, &ChartSettingsDialog::storeGeneral);
    return page;
}

QPushButton* ChartSettingsDialog::colorButton(QColor* target) {
    auto* button = new QPushButton(this);
    m_colorButtons.append({button, target});
    connect(button, &QPushButton::clicked, this, [this, target] {
        const QColor chosen = QColorDialog::getColor(*target, this, tr("Colour"));
        if (!chosen.isValid()) return;
        *target = chosen;
        refreshButtons();
    });
    return button;
}

QPushButton* ChartSettingsDialog::fontButton(QFont* target) {
    auto* button = new QPushButton(this);
    m_fontButtons.append({button, target});
    connect(button, &QPushButton::clicked, this, [this, target] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, *target, this, tr("Font"));
        if (!ok) return;
        // Only what the look file keeps, so an applied look survives saving.
        *target = lookFont(chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic());
        refreshButtons();
    });
    return button;
}

void ChartSettingsDialog::refreshButtons() {
    for (const auto& [button, color] : m_colorButtons) button->setIcon(colorIcon(*color));
    for (const auto& [button, font] : m_fontButtons) button->setText(fontText(*font));
}

void ChartSettingsDialog::showSeries(int row) {
    const bool valid = row >= 0 && row < m_seriesCount;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_kind, m_seriesColor, m_lineWidth, m_lineStyle, m_marker, m_markerSize, m_visible})
        widget->setEnabled(valid);
    if (!valid) return;
    const SeriesLook series = m_look.seriesLook(row + 1);
    m_loading = true;
    selectEnum(m_kind, series.kind);
    m_seriesColorValue = series.color;
    m_seriesColor->setIcon(colorIcon(series.color));
    m_lineWidth->setValue(series.lineWidth);
    selectEnum(m_lineStyle, series.penStyle);
    selectEnum(m_marker, series.marker);
    m_markerSize->setValue(series.markerSize);
    m_visible->setChecked(!series.hidden);
    m_loading = false;
}

void ChartSettingsDialog::storeSeries() {
    const int row = m_seriesList->currentRow();
    if (m_loading || row < 0 || row >= m_seriesCount) return;
    SeriesLook& series = m_look.editSeries(row + 1);
    series.kind = selectedEnum<SeriesKind>(m_kind);
    series.color = m_seriesColorValue;
    series.lineWidth = m_lineWidth->value();
    series.penStyle = selectedEnum<Qt::PenStyle>(m_lineStyle);
    series.marker = selectedEnum<MarkerShape>(m_marker);
    series.markerSize = m_markerSize->value();
    series.hidden = !m_visible->isChecked();
}

void ChartSettingsDialog::loadGeneral() {
    m_loading = true;
    const ValueScale& scale = m_look.valueScale;
    m_autoScale->setChecked(scale.automatic);
    m_minimum->setValue(scale.minimum);
    m_maximum->setValue(scale.maximum);
    m_major->setValue(scale.majorDivisions);
    m_minor->setValue(scale.minorDivisions);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_minimum, m_maximum, m_major, m_minor})
        widget->setEnabled(!scale.automatic);
    m_xGrid->setChecked(m_look.xGridLines);
    m_yGrid->setChecked(m_look.yGridLines);
    m_yMinorGrid->setChecked(m_look.yMinorGridLines);
    m_legendVisible->setChecked(m_look.legendVisible);
    selectEnum(m_legendPosition, m_look.legendPosition);
    m_legendPosition->setEnabled(m_look.legendVisible);
    refreshButtons();
    m_loading = false;
}

void ChartSettingsDialog::storeGeneral() {
    if (m_loading) return;
    ValueScale& scale = m_look.valueScale;
    scale.automatic = m_autoScale->isChecked();
    scale.majorDivisions = m_major->value();
    scale.minorDivisions = m_minor->value();
    m_look.xGridLines = m_xGrid->isChecked();
    m_look.yGridLines = m_yGrid->isChecked();
    m_look.yMinorGridLines = m_yMinorGrid->isChecked();
    m_look.legendVisible = m_legendVisible->isChecked();
    m_look.legendPosition = selectedEnum<LegendPosition>(m_legendPosition);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_minimum, m_maximum, m_major, m_minor})
        widget->setEnabled(!scale.automatic);
    m_legendPosition->setEnabled(m_look.legendVisible);
}

bool ChartSettingsDialog::apply() {
    if (!m_look.valueScale.automatic && !(m_look.valueScale.minimum < m_look.valueScale.maximum)) {
        QMessageBox::warning(this, tr("Chart settings"), tr("The minimum of the value scale must be below its maximum."));
        return false;
    }
    m_chart->applyLookFromDialog(m_look);
    return true;
}

}  // namespace chartcomponent
