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
    : QDialog(parent), mChart(chart), mLook(chart->look()) {
    setWindowTitle(tr("Chart settings"));
    mSeriesCount = std::max(chart->columnCount(), int(mLook.series.size()));

    auto* tabs = new QTabWidget(this);
    tabs->addTab(buildSeriesPage(), tr("Series"));
    tabs->addTab(buildAxesPage(), tr("Axes and grid"));
    tabs->addTab(buildAppearancePage(), tr("Legend and fonts"));

    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(mButtons, &QDialogButtonBox::accepted, this, [this] { if (apply()) accept(); });
    connect(mButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mButtons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(mButtons);

    loadGeneral();
    if (mSeriesCount > 0) mSeriesList->setCurrentRow(0);
    else showSeries(-1);
}

QWidget* ChartSettingsDialog::buildSeriesPage() {
    auto* page = new QWidget(this);
    mSeriesList = new QListWidget(page);
    mSeriesList->setObjectName(QStringLiteral("seriesList"));
    for (int s = 1; s <= mSeriesCount; ++s) {
        QString label;
        if (s <= mChart->columnCount()) label = mChart->chartData().columnLabel(s);
        mSeriesList->addItem(label.isEmpty() ? tr("Series %1").arg(s) : QStringLiteral("%1: %2").arg(s).arg(label));
    }
    mSeriesList->setMinimumWidth(150);

    mKind = enumCombo(allSeriesKinds(), &seriesKindName, page);
    mKind->setObjectName(QStringLiteral("seriesKind"));
    mSeriesColor = new QPushButton(page);
    mSeriesColor->setObjectName(QStringLiteral("seriesColor"));
    mLineWidth = new QDoubleSpinBox(page);
    mLineWidth->setRange(0, 20);
    mLineWidth->setSingleStep(0.5);
    mLineWidth->setDecimals(1);
    mLineStyle = enumCombo(allPenStyles(), &penStyleName, page);
    mMarker = enumCombo(allMarkerShapes(), &markerShapeName, page);
    mMarkerSize = new QDoubleSpinBox(page);
    mMarkerSize->setRange(1, 40);
    mMarkerSize->setDecimals(1);
    mVisible = new QCheckBox(tr("Show this series"), page);
    mVisible->setObjectName(QStringLiteral("seriesVisible"));

    auto* form = new QFormLayout;
    form->addRow(tr("Kind:"), mKind);
    form->addRow(tr("Colour:"), mSeriesColor);
    form->addRow(tr("Line width:"), mLineWidth);
    form->addRow(tr("Line style:"), mLineStyle);
    form->addRow(tr("Marker:"), mMarker);
    form->addRow(tr("Marker size:"), mMarkerSize);
    form->addRow(QString(), mVisible);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(mSeriesList);
    layout->addLayout(form, 1);

    connect(mSeriesList, &QListWidget::currentRowChanged, this, &ChartSettingsDialog::showSeries);
    connect(mSeriesColor, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(mSeriesColorValue, this, tr("Series colour"));
        if (!chosen.isValid()) return;
        mSeriesColorValue = chosen;
        mSeriesColor->setIcon(colorIcon(chosen));
        storeSeries();
    });
    for (QComboBox* combo : {mKind, mLineStyle, mMarker})
        connect(combo, &QComboBox::currentIndexChanged, this, &ChartSettingsDialog::storeSeries);
    for (QDoubleSpinBox* box : {mLineWidth, mMarkerSize})
        connect(box, &QDoubleSpinBox::valueChanged, this, &ChartSettingsDialog::storeSeries);
    connect(mVisible, &QCheckBox::toggled, this, &ChartSettingsDialog::storeSeries);
    return page;
}

QWidget* ChartSettingsDialog::buildAxesPage() {
    auto* page = new QWidget(this);
    auto* scaleBox = new QGroupBox(tr("Value scale (y axis)"), page);
    mAutoScale = new QCheckBox(tr("Automatic"), scaleBox);
    mAutoScale->setObjectName(QStringLiteral("autoScale"));
    mMinimum = boundBox(scaleBox);
    mMinimum->setObjectName(QStringLiteral("scaleMinimum"));
    mMaximum = boundBox(scaleBox);
    mMaximum->setObjectName(QStringLiteral("scaleMaximum"));
    mMajor = new QSpinBox(scaleBox);
    mMajor->setRange(1, 1000);
    mMinor = new QSpinBox(scaleBox);
    mMinor->setRange(1, 100);
    auto* scaleForm = new QFormLayout(scaleBox);
    scaleForm->addRow(QString(), mAutoScale);
    scaleForm->addRow(tr("Minimum:"), mMinimum);
    scaleForm->addRow(tr("Maximum:"), mMaximum);
    scaleForm->addRow(tr("Major divisions:"), mMajor);
    scaleForm->addRow(tr("Minor divisions:"), mMinor);

    auto* gridBox = new QGroupBox(tr("Grid lines"), page);
    mXGrid = new QCheckBox(tr("Vertical lines at the x labels"), gridBox);
    mYGrid = new QCheckBox(tr("Horizontal lines at the major divisions"), gridBox);
    mYMinorGrid = new QCheckBox(tr("Horizontal lines at the minor divisions"), gridBox);
    auto* gridLayout = new QVBoxLayout(gridBox);
    gridLayout->addWidget(mXGrid);
    gridLayout->addWidget(mYGrid);
    gridLayout->addWidget(mYMinorGrid);
    auto* gridColorRow = new QFormLayout;
    gridColorRow->addRow(tr("Colour:"), colorButton(&mLook.gridColor));
    gridLayout->addLayout(gridColorRow);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(scaleBox);
    layout->addWidget(gridBox);
    layout->addStretch(1);

    connect(mAutoScale, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    // The bounds are stored only when edited: the boxes show six decimals, and
    // a bound set by the program must not be rounded by an unrelated change.
    connect(mMinimum, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (!mLoading) mLook.valueScale.minimum = value;
    });
    connect(mMaximum, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (!mLoading) mLook.valueScale.maximum = value;
    });
    for (QSpinBox* box : {mMajor, mMinor}) connect(box, &QSpinBox::valueChanged, this, &ChartSettingsDialog::storeGeneral);
    for (QCheckBox* box : {mXGrid, mYGrid, mYMinorGrid})
        connect(box, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    return page;
}

QWidget* ChartSettingsDialog::buildAppearancePage() {
    auto* page = new QWidget(this);
    auto* legendBox = new QGroupBox(tr("Legend"), page);
    mLegendVisible = new QCheckBox(tr("Show the legend"), legendBox);
    mLegendVisible->setObjectName(QStringLiteral("legendVisible"));
    mLegendPosition = enumCombo(allLegendPositions(), &legendPositionName, legendBox);
    auto* legendForm = new QFormLayout(legendBox);
    legendForm->addRow(QString(), mLegendVisible);
    legendForm->addRow(tr("Position:"), mLegendPosition);

    auto* fontsBox = new QGroupBox(tr("Fonts"), page);
    auto* fontsForm = new QFormLayout(fontsBox);
    fontsForm->addRow(tr("Title:"), fontButton(&mLook.titleFont));
    fontsForm->addRow(tr("Axis titles:"), fontButton(&mLook.axisTitleFont));
    fontsForm->addRow(tr("Axis labels:"), fontButton(&mLook.tickLabelFont));
    fontsForm->addRow(tr("Legend:"), fontButton(&mLook.legendFont));

    auto* colorsBox = new QGroupBox(tr("Background"), page);
    auto* colorsForm = new QFormLayout(colorsBox);
    colorsForm->addRow(tr("Chart:"), colorButton(&mLook.background));
    colorsForm->addRow(tr("Plot area:"), colorButton(&mLook.plotBackground));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(legendBox);
    layout->addWidget(fontsBox);
    layout->addWidget(colorsBox);
    layout->addStretch(1);

    connect(mLegendVisible, &QCheckBox::toggled, this, &ChartSettingsDialog::storeGeneral);
    connect(mLegendPosition, &QComboBox::currentIndexChanged, this, &ChartSettingsDialog::storeGeneral);
    return page;
}

QPushButton* ChartSettingsDialog::colorButton(QColor* target) {
    auto* button = new QPushButton(this);
    mColorButtons.append({button, target});
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
    mFontButtons.append({button, target});
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
    for (const auto& [button, color] : mColorButtons) button->setIcon(colorIcon(*color));
    for (const auto& [button, font] : mFontButtons) button->setText(fontText(*font));
}

void ChartSettingsDialog::showSeries(int row) {
    const bool valid = row >= 0 && row < mSeriesCount;
    for (QWidget* widget : std::initializer_list<QWidget*>{mKind, mSeriesColor, mLineWidth, mLineStyle, mMarker, mMarkerSize, mVisible})
        widget->setEnabled(valid);
    if (!valid) return;
    const SeriesLook series = mLook.seriesLook(row + 1);
    mLoading = true;
    selectEnum(mKind, series.kind);
    mSeriesColorValue = series.color;
    mSeriesColor->setIcon(colorIcon(series.color));
    mLineWidth->setValue(series.lineWidth);
    selectEnum(mLineStyle, series.penStyle);
    selectEnum(mMarker, series.marker);
    mMarkerSize->setValue(series.markerSize);
    mVisible->setChecked(!series.hidden);
    mLoading = false;
}

void ChartSettingsDialog::storeSeries() {
    const int row = mSeriesList->currentRow();
    if (mLoading || row < 0 || row >= mSeriesCount) return;
    SeriesLook& series = mLook.editSeries(row + 1);
    series.kind = selectedEnum<SeriesKind>(mKind);
    series.color = mSeriesColorValue;
    series.lineWidth = mLineWidth->value();
    series.penStyle = selectedEnum<Qt::PenStyle>(mLineStyle);
    series.marker = selectedEnum<MarkerShape>(mMarker);
    series.markerSize = mMarkerSize->value();
    series.hidden = !mVisible->isChecked();
}

void ChartSettingsDialog::loadGeneral() {
    mLoading = true;
    const ValueScale& scale = mLook.valueScale;
    mAutoScale->setChecked(scale.automatic);
    mMinimum->setValue(scale.minimum);
    mMaximum->setValue(scale.maximum);
    mMajor->setValue(scale.majorDivisions);
    mMinor->setValue(scale.minorDivisions);
    for (QWidget* widget : std::initializer_list<QWidget*>{mMinimum, mMaximum, mMajor, mMinor})
        widget->setEnabled(!scale.automatic);
    mXGrid->setChecked(mLook.xGridLines);
    mYGrid->setChecked(mLook.yGridLines);
    mYMinorGrid->setChecked(mLook.yMinorGridLines);
    mLegendVisible->setChecked(mLook.legendVisible);
    selectEnum(mLegendPosition, mLook.legendPosition);
    mLegendPosition->setEnabled(mLook.legendVisible);
    refreshButtons();
    mLoading = false;
}

void ChartSettingsDialog::storeGeneral() {
    if (mLoading) return;
    ValueScale& scale = mLook.valueScale;
    scale.automatic = mAutoScale->isChecked();
    scale.majorDivisions = mMajor->value();
    scale.minorDivisions = mMinor->value();
    mLook.xGridLines = mXGrid->isChecked();
    mLook.yGridLines = mYGrid->isChecked();
    mLook.yMinorGridLines = mYMinorGrid->isChecked();
    mLook.legendVisible = mLegendVisible->isChecked();
    mLook.legendPosition = selectedEnum<LegendPosition>(mLegendPosition);
    for (QWidget* widget : std::initializer_list<QWidget*>{mMinimum, mMaximum, mMajor, mMinor})
        widget->setEnabled(!scale.automatic);
    mLegendPosition->setEnabled(mLook.legendVisible);
}

bool ChartSettingsDialog::apply() {
    if (!mLook.valueScale.automatic && !(mLook.valueScale.minimum < mLook.valueScale.maximum)) {
        QMessageBox::warning(this, tr("Chart settings"), tr("The minimum of the value scale must be below its maximum."));
        return false;
    }
    mChart->applyLookFromDialog(mLook);
    return true;
}

}  // namespace chartcomponent
