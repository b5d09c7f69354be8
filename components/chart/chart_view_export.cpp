// Export of ChartView: images (PNG, SVG, PDF) written atomically, the image for
// the clipboard, printing, and the chart's context menu that offers them.
#include "components/chart/chart_view.h"

#include "components/chart/chart_plot.h"
#include "components/chart/png_writer.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace chartcomponent {

QImage ChartView::toImage(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide)
        throw ChartError(QStringLiteral("chart image size %1 x %2 is outside 1..%3").arg(width).arg(height).arg(kMaxImageSide));
    if (m_replotPending) {
        m_replotPending = false;
        rebuild();
    }
    QImage image = m_plot->toPixmap(width, height).toImage();
    // toPixmap laid the plot out for the image; lay it out for the widget again.
    m_plot->setViewport(m_plot->rect());
    scheduleReplot();
    return image;
}

void ChartView::saveImage(const QString& path, const QString& format, int width, int height) {
    const QString kind = format.toLower();
    if (kind != u"png" && kind != u"svg" && kind != u"pdf")
        throw ChartError(QStringLiteral("%1: cannot save a chart as '%2' (png, svg or pdf)").arg(path, format));
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide)
        throw ChartError(QStringLiteral("%1: image size %2 x %3 is outside 1..%4").arg(path).arg(width).arg(height).arg(kMaxImageSide));
    if (m_replotPending) {
        m_replotPending = false;
        rebuild();
    }

    if (kind == u"png") {
        // Our own encoder: a general one spends more time choosing row
        // filters and compressing than drawing the chart takes.
        savePngFile(toImage(width, height), path);
        return;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ChartError(QStringLiteral("%1: cannot write image: %2").arg(path, file.errorString()));
    bool drawn = true;
    if (kind == u"svg") {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(QSize(width, height));
        generator.setViewBox(QRect(0, 0, width, height));
        generator.setTitle(m_titleText);
        QCPPainter painter;
        drawn = painter.begin(&generator);
        if (drawn) {
            m_plot->toPainter(&painter, width, height);
            painter.end();
        }
    } else {
        QPdfWriter writer(&file);
        writer.setResolution(72);  // one point per pixel: the page is width x height points
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(m_titleText);
        writer.setCreator(QStringLiteral("Plotwise"));
        QCPPainter painter;
        drawn = painter.begin(&writer);
        if (drawn) {
            m_plot->toPainter(&painter, width, height);
            painter.end();
        }
    }
    m_plot->setViewport(m_plot->rect());
    scheduleReplot();
    if (!drawn) {
        file.cancelWriting();
        throw ChartError(QStringLiteral("%1: cannot draw the chart into a %2 file").arg(path, kind.toUpper()));
    }
    if (!file.commit())
        throw ChartError(QStringLiteral("%1: cannot write image: %2").arg(path, file.errorString()));
}

void ChartView::print(QPrinter& printer) {
    if (m_replotPending) {
        m_replotPending = false;
        rebuild();
    }
    QCPPainter painter;
    if (!painter.begin(&printer)) throw ChartError(QStringLiteral("cannot start printing the chart"));
    // Keep the chart's on-screen proportions, as large as the page allows.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize shown = size().isEmpty() ? QSize(800, 500) : size();
    const double scale = std::min(double(page.width()) / shown.width(), double(page.height()) / shown.height());
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, shown.width(), shown.height());
    painter.end();
    m_plot->setViewport(m_plot->rect());
    scheduleReplot();
}

void ChartView::showContextMenu(const QPoint& position) {
    QMenu menu(this);
    menu.addAction(tr("Save image…"), this, &ChartView::saveImageInteractively);
    menu.addAction(tr("Copy image"), this, &ChartView::copyImage);
    menu.addSeparator();
    menu.addAction(tr("Chart settings…"), this, &ChartView::showSettingsDialog);
    menu.exec(m_plot->mapToGlobal(position));
}

void ChartView::saveImageInteractively() {
    const QString png = tr("PNG image (*.png)");
    const QString svg = tr("SVG image (*.svg)");
    const QString pdf = tr("PDF document (*.pdf)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(this, tr("Save image"), QString(),
                                                QStringList{png, svg, pdf}.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) return;
    QString format = QFileInfo(path).suffix().toLower();
    if (format != u"png" && format != u"svg" && format != u"pdf") {
        format = filter == svg ? QStringLiteral("svg") : filter == pdf ? QStringLiteral("pdf") : QStringLiteral("png");
        path += QLatin1Char('.') + format;
    }
    try {
        saveImage(path, format, std::max(width(), 1), std::max(height(), 1));
    } catch (const ChartError& error) {
        QMessageBox::warning(this, tr("Save image"), error.message());
    }
}

void ChartView::copyImage() {
    try {
        QApplication::clipboard()->setImage(toImage(std::max(width(), 1), std::max(height(), 1)));
    } catch (const ChartError& error) {
        QMessageBox::warning(this, tr("Copy image"), error.message());
    }
}

}  // namespace chartcomponent
