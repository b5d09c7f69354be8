// The chart's PNG encoder: images of every shape come back from a decoder
// pixel for pixel, translucent images keep their alpha, the file's chunks
// are well formed, and a device that refuses data makes the write fail.
#include "components/chart/chart_view.h"
#include "components/chart/png_writer.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

using namespace chartcomponent;

namespace {

QByteArray encode(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(writePng(buffer, image, &error)) << error.toStdString();
    return buffer.data();
}

quint32 bigEndian(const QByteArray& bytes, qsizetype at) {
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData() + at);
    return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | b[3];
}

struct Chunk {
    QByteArray type;
    quint32 size;
};

// The chunks of a PNG file, each checked against its CRC.
std::vector<Chunk> chunksOf(const QByteArray& png) {
    std::vector<Chunk> chunks;
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const quint32 size = bigEndian(png, at);
        const QByteArray typeAndData = png.mid(at + 4, qsizetype(size) + 4);
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()), uInt(typeAndData.size()));
        EXPECT_EQ(crc, bigEndian(png, at + 8 + size)) << "CRC of chunk " << typeAndData.left(4).constData();
        chunks.push_back({typeAndData.left(4), size});
        at += qsizetype(size) + 12;
    }
    EXPECT_EQ(at, png.size()) << "trailing bytes";
    return chunks;
}

void expectSamePixels(const QImage& expected, const QImage& actual, QImage::Format as, const char* what) {
    ASSERT_FALSE(actual.isNull()) << what << ": not decoded";
    ASSERT_EQ(actual.size(), expected.size()) << what;
    const QImage a = expected.convertToFormat(as);
    const QImage b = actual.convertToFormat(as);
    for (int y = 0; y < a.height(); ++y)
        ASSERT_EQ(std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 4), 0)
            << what << ": row " << y << " differs";
}

QImage noise(int width, int height, QImage::Format format, unsigned seed) {
    QImage image(width, height, format);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, random() | (format == QImage::Format_RGB32 ? 0xff000000u : 0u));
    return image;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) & 255));
    return image;
}

QImage renderedChart(int width, int height) {
    ChartView chart;
    chart.setColumnCount(3);
    chart.setRowCount(200);
    for (int s = 1; s <= 3; ++s) {
        QVector<double> values;
        for (int r = 0; r < 200; ++r) values << s * std::sin(r * 0.1 * s);
        chart.setColumnValues(s, values);
    }
    chart.setTitleText(QStringLiteral("Round trip"));
    return chart.toImage(width, height);
}

// Accepts the first room bytes, then refuses every write.
class FillingDevice : public QIODevice {
public:
    explicit FillingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (m_written + size > m_room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        m_written += size;
        return size;
    }

private:
    qint64 m_room;
    qint64 m_written = 0;
};

}  // namespace

TEST(PngWriter, OpaqueImagesOfEveryShapeDecodeToTheSamePixels) {
    const struct {
        const char* what;
        QImage image;
    } cases[] = {
        {"chart render", renderedChart(640, 360)},
        {"gradient", gradient(301, 77)},
        {"noise, several IDAT chunks", noise(257, 199, QImage::Format_RGB32, 1)},
        {"1 x 1", noise(1, 1, QImage::Format_RGB32, 2)},
        {"odd width", gradient(3, 5)},
        {"tall and narrow", gradient(7, 4001)},
        {"wide and flat", gradient(4001, 2)},
        {"opaque ARGB32", gradient(33, 21).convertToFormat(QImage::Format_ARGB32)},
        {"opaque premultiplied", gradient(33, 21).convertToFormat(QImage::Format_ARGB32_Premultiplied)},
        {"RGB888", gradient(35, 9).convertToFormat(QImage::Format_RGB888)},
        {"grayscale", gradient(35, 9).convertToFormat(QImage::Format_Grayscale8)},
    };
    for (const auto& c : cases) {
        const QByteArray png = encode(c.image);
        const auto chunks = chunksOf(png);
        ASSERT_GE(chunks.size(), 3u) << c.what;
        EXPECT_EQ(chunks.front().type, "IHDR") << c.what;
        EXPECT_EQ(png.at(8 + 8 + 8), 8) << c.what << ": 8 bits a channel";
        EXPECT_EQ(png.at(8 + 8 + 9), 2) << c.what << ": colour type RGB";
        EXPECT_EQ(chunks.back().type, "IEND") << c.what;
        for (const Chunk& chunk : chunks) {
            if (chunk.type == "IDAT") EXPECT_LE(chunk.size, 64u * 1024) << c.what << ": IDAT is streamed in pieces";
        }
        expectSamePixels(c.image, QImage::fromData(png, "png"), QImage::Format_RGB32, c.what);
    }
    const auto noisy = chunksOf(encode(noise(257, 199, QImage::Format_RGB32, 1)));
    EXPECT_GE(std::count_if(noisy.begin(), noisy.end(), [](const Chunk& c) { return c.type == "IDAT"; }), 3);
}

TEST(PngWriter, TranslucentImagesKeepTheirAlphaAndTheDensityIsKept) {
    QImage straight = noise(64, 48, QImage::Format_ARGB32, 3);
    straight.setPixel(0, 0, qRgba(10, 20, 30, 0));  // fully transparent, colour kept
    QImage premultiplied(80, 40, QImage::Format_ARGB32_Premultiplied);
    premultiplied.fill(Qt::transparent);
    {
        QPainter painter(&premultiplied);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(200, 40, 90, 160));
        painter.drawEllipse(5, 5, 60, 30);
    }
    for (const QImage& image : {straight, premultiplied}) {
        const QByteArray png = encode(image);
        EXPECT_EQ(png.at(8 + 8 + 9), 6) << "colour type RGBA";
        expectSamePixels(image, QImage::fromData(png, "png"), QImage::Format_ARGB32, "translucent");
    }

    QImage dense = gradient(10, 10);
    dense.setDotsPerMeterX(5905);  // 150 dpi
    dense.setDotsPerMeterY(3780);
    const QImage back = QImage::fromData(encode(dense), "png");
    EXPECT_EQ(back.dotsPerMeterX(), 5905);
    EXPECT_EQ(back.dotsPerMeterY(), 3780);
}

TEST(PngWriter, ARefusedWriteFailsWithTheDevicesReason) {
    const QImage image = noise(200, 150, QImage::Format_RGB32, 4);
    const qint64 whole = encode(image).size();
    // Refused in the signature, the header, the first IDAT, a later IDAT, IEND.
    for (qint64 room : {qint64(0), qint64(20), qint64(60), qint64(70000), whole - 1}) {
        FillingDevice device(room);
        QString error;
        EXPECT_FALSE(writePng(device, image, &error)) << "room " << room;
        EXPECT_EQ(error, QStringLiteral("No space left on device")) << "room " << room;
    }
    FillingDevice enough(whole);
    EXPECT_TRUE(writePng(enough, image, nullptr));

    QBuffer closed;
    QString error;
    EXPECT_FALSE(writePng(closed, image, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writePng(enough, QImage(), &error));
}

TEST(PngWriter, SavedChartPngHasThePixelsOfTheRenderedChart) {
    QTemporaryDir dir;
    ChartView chart;
    chart.setColumnCount(1);
    chart.setRowCount(50);
    QVector<double> values;
    for (int r = 0; r < 50; ++r) values << (r % 7) * 1.5;
    chart.setColumnValues(1, values);
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    chart.saveImage(path, QStringLiteral("png"), 421, 233);
    expectSamePixels(chart.toImage(421, 233), QImage(path), QImage::Format_RGB32, "saved chart");
}
