// Images of the chart in the asked size and format, refused exports that
// leave nothing behind, and the settings dialog whose Apply raises
// changesApplied.
#include "components/chart/chart_settings_dialog.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QTimer>
#include <QDialogButtonBox>
#include <QFile>
#include <QImageReader>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace chartcomponent;

namespace {

void fillSmallChart(ChartView& chart) {
    chart.setColumnCount(2);
    chart.setRowCount(20);
    QVector<double> a, b;
    for (int r = 0; r < 20; ++r) {
        a << r * 0.5;
        b << 10 - r * 0.25;
    }
    chart.setColumnValues(1, a);
    chart.setColumnValues(2, b);
    chart.setTitleText(QStringLiteral("Export"));
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

TEST(VtChartExport, WritesPngSvgAndPdfOfTheAskedSize) {
    QTemporaryDir dir;
    ChartView chart;
    chart.resize(500, 300);
    fillSmallChart(chart);

    const QString png = dir.filePath(QStringLiteral("chart.png"));
    chart.saveImage(png, QStringLiteral("PNG"), 640, 360);
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 360));
    QSet<QRgb> colours;  // something was drawn: lines, text and axes
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 5);

    const QString svg = dir.filePath(QStringLiteral("chart.svg"));
    chart.saveImage(svg, QStringLiteral("svg"), 800, 450);
    const QByteArray svgText = readAll(svg);
    EXPECT_TRUE(svgText.contains("<svg"));
    EXPECT_TRUE(svgText.contains("width=\"800") || svgText.contains("width=\"211.667mm")) << svgText.left(400).constData();
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 800 450\""));

    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    chart.saveImage(pdf, QStringLiteral("pdf"), 720, 360);
    const QByteArray pdfBytes = readAll(pdf);
    EXPECT_TRUE(pdfBytes.startsWith("%PDF"));
    const QString mediaBox = QString::fromLatin1(pdfBytes.mid(pdfBytes.indexOf("/MediaBox"), 48));
    EXPECT_TRUE(mediaBox.contains(QRegularExpression(QStringLiteral("^/MediaBox \\[0 0 720(\\.0*)? 360(\\.0*)?\\]"))))
        << mediaBox.toStdString();

    EXPECT_EQ(chart.toImage(300, 200).size(), QSize(300, 200));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(printed);
    chart.print(printer);
    EXPECT_TRUE(readAll(printed).startsWith("%PDF"));
}

TEST(VtChartExport, RefusedExportsNameTheFileAndLeaveNoFile) {
    QTemporaryDir dir;
    ChartView chart;
    fillSmallChart(chart);
    const QString gif = dir.filePath(QStringLiteral("chart.gif"));
    try {
        chart.saveImage(gif, QStringLiteral("gif"), 100, 100);
        ADD_FAILURE() << "gif accepted";
    } catch (const ChartError& error) {
        EXPECT_TRUE(error.message().contains(gif));
    }
    EXPECT_FALSE(QFile::exists(gif));
    EXPECT_THROW(chart.saveImage(dir.filePath(QStringLiteral("x.png")), QStringLiteral("png"), 0, 100), ChartError);
    EXPECT_THROW(chart.saveImage(dir.filePath(QStringLiteral("missing/x.png")), QStringLiteral("png"), 100, 100), ChartError);
    EXPECT_THROW(chart.toImage(100000, 100000), ChartError);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(VtChartSettingsDialog, ApplyAndOkRaiseOnApplyChangesCancelDoesNot) {
    ChartView chart;
    fillSmallChart(chart);
    QSignalSpy applied(&chart, &ChartView::changesApplied);

    ChartSettingsDialog dialog(&chart);
    auto* autoScale = dialog.findChild<QCheckBox*>(QStringLiteral("autoScale"));
    auto* visible = dialog.findChild<QCheckBox*>(QStringLiteral("seriesVisible"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(autoScale && visible && buttons);
    ASSERT_TRUE(autoScale->isChecked());

    visible->setChecked(false);  // series 1, selected first
    EXPECT_FALSE(chart.seriesHidden(1)) << "nothing reaches the chart before Apply";
    buttons->button(QDialogButtonBox::Apply)->click();
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(chart.seriesHidden(1));
    EXPECT_EQ(chart.drawnSeries(), QVector<int>{2});

    // A fixed scale with its bounds the wrong way round is not applied.
    autoScale->setChecked(false);
    auto* minimum = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("scaleMinimum"));
    auto* maximum = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("scaleMaximum"));
    ASSERT_TRUE(minimum && maximum);
    minimum->setValue(20);
    maximum->setValue(10);
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    EXPECT_FALSE(dialog.apply());
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(chart.valueScaleAuto());

    maximum->setValue(30);
    buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(applied.count(), 2);
    EXPECT_FALSE(chart.valueScaleAuto());
    EXPECT_DOUBLE_EQ(chart.look().valueScale.minimum, 20);
    EXPECT_DOUBLE_EQ(chart.look().valueScale.maximum, 30);

    ChartSettingsDialog cancelled(&chart);
    cancelled.findChild<QCheckBox*>(QStringLiteral("legendVisible"))->setChecked(false);
    cancelled.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(applied.count(), 2);
    EXPECT_TRUE(chart.look().legendVisible);
}
