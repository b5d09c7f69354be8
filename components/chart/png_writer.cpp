// The PNG file: signature, IHDR, pHYs, IDAT chunks, IEND. Every row is
// written with the "Up" filter (its difference from the row above): on chart
// images it compresses as well as an adaptive per-row choice, at the cost of
// one subtraction a byte, and zlib's fastest level does the rest.
#include "components/chart/png_writer.h"

#include "components/chart/chart_error.h"

#include <QIODevice>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace chartcomponent {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char kUpFilter = 2;
// Compressed bytes per IDAT chunk: large enough that the per-chunk cost
// (one write, a CRC start) vanishes, small enough to stay in cache.
constexpr quint32 kIdatBytes = 64 * 1024;

void putBigEndian(unsigned char* out, quint32 value) {
    out[0] = uchar(value >> 24);
    out[1] = uchar(value >> 16);
    out[2] = uchar(value >> 8);
    out[3] = uchar(value);
}

bool writeAll(QIODevice& device, const unsigned char* data, qint64 size, QString* error) {
    if (device.write(reinterpret_cast<const char*>(data), size) == size) return true;
    const QString reason = device.errorString();
    *error = reason.isEmpty() || reason == u"Unknown error" ? QStringLiteral("the data could not be written") : reason;
    return false;
}

// A chunk is framed in place: frame holds 8 bytes of room, then the data
// (size bytes), then 4 bytes of room for the CRC, so it goes out in one write.
bool writeChunk(QIODevice& device, const char* type, unsigned char* frame, quint32 size, QString* error) {
    putBigEndian(frame, size);
    std::memcpy(frame + 4, type, 4);
    putBigEndian(frame + 8 + size, quint32(crc32(crc32(0, nullptr, 0), frame + 4, size + 4)));
    return writeAll(device, frame, qint64(size) + 12, error);
}

void rowToRgb(const QRgb* __restrict pixels, unsigned char* __restrict out, int width) {
    for (int x = 0; x < width; ++x) {
        out[3 * x] = uchar(qRed(pixels[x]));
        out[3 * x + 1] = uchar(qGreen(pixels[x]));
        out[3 * x + 2] = uchar(qBlue(pixels[x]));
    }
}

void rowToRgba(const QRgb* __restrict pixels, unsigned char* __restrict out, int width) {
    for (int x = 0; x < width; ++x) {
        out[4 * x] = uchar(qRed(pixels[x]));
        out[4 * x + 1] = uchar(qGreen(pixels[x]));
        out[4 * x + 2] = uchar(qBlue(pixels[x]));
        out[4 * x + 3] = uchar(qAlpha(pixels[x]));
    }
}

void upFilter(const unsigned char* __restrict row, const unsigned char* __restrict above,
              unsigned char* __restrict out, int bytes) {
    for (int i = 0; i < bytes; ++i) out[i] = uchar(row[i] - above[i]);
}

bool everyPixelOpaque(const QImage& image) {
    if (!image.hasAlphaChannel()) return true;
    for (int y = 0; y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(pixels[x]) != 255) return false;
    }
    return true;
}

// The image in a 32-bit format whose pixels read straight (not premultiplied)
// as QRgb. Chart renders are RGB32 already and are not copied.
QImage straight32Bit(const QImage& image, bool opaque) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return image;
    case QImage::Format_ARGB32_Premultiplied:
        if (opaque) return image;  // premultiplying by 255 changes nothing
        break;
    default:
        break;
    }
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

class Deflater {
public:
    Deflater() { m_ready = deflateInit2(&m_stream, 1, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflater() {
        if (m_ready) deflateEnd(&m_stream);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    z_stream* operator->() { return &m_stream; }
    bool ready() const { return m_ready; }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

}  // namespace

bool writePng(QIODevice& device, const QImage& image, QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    if (image.isNull()) {
        *error = QStringLiteral("the image is empty");
        return false;
    }
    const bool opaque = everyPixelOpaque(image);
    const QImage source = straight32Bit(image, opaque);
    const int width = source.width();
    const int height = source.height();
    const int channels = opaque ? 3 : 4;
    const int rowBytes = width * channels;

    if (!writeAll(device, kSignature, 8, error)) return false;
    unsigned char header[8 + 13 + 4];
    putBigEndian(header + 8, quint32(width));
    putBigEndian(header + 12, quint32(height));
    header[16] = 8;                     // bits per channel
    header[17] = opaque ? 2 : 6;        // RGB or RGBA
    header[18] = header[19] = header[20] = 0;  // deflate, adaptive filtering, no interlace
    if (!writeChunk(device, "IHDR", header, 13, error)) return false;
    if (source.dotsPerMeterX() > 0 && source.dotsPerMeterY() > 0) {
        unsigned char density[8 + 9 + 4];
        putBigEndian(density + 8, quint32(source.dotsPerMeterX()));
        putBigEndian(density + 12, quint32(source.dotsPerMeterY()));
        density[16] = 1;  // the unit is the metre
        if (!writeChunk(device, "pHYs", density, 9, error)) return false;
    }

    Deflater stream;
    if (!stream.ready()) {
        *error = QStringLiteral("the compressor could not start");
        return false;
    }
    std::vector<unsigned char> idat(static_cast<std::size_t>(kIdatBytes) + 12);
    stream->next_out = idat.data() + 8;
    stream->avail_out = kIdatBytes;
    // Compresses what stream holds; each full output buffer leaves as one IDAT.
    const auto compress = [&](int flush) {
        for (;;) {
            const int result = deflate(stream.operator->(), flush);
            if (result == Z_STREAM_ERROR) {
                *error = QStringLiteral("the compressor failed");
                return false;
            }
            if (stream->avail_out == 0) {
                if (!writeChunk(device, "IDAT", idat.data(), kIdatBytes, error)) return false;
                stream->next_out = idat.data() + 8;
                stream->avail_out = kIdatBytes;
                continue;
            }
            if (flush == Z_FINISH ? result == Z_STREAM_END : stream->avail_in == 0) return true;
        }
    };

    std::vector<unsigned char> above(static_cast<std::size_t>(rowBytes), 0);  // the row above the first is zeros
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes));
    std::vector<unsigned char> filtered(static_cast<std::size_t>(rowBytes) + 1);
    filtered[0] = kUpFilter;
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        if (opaque)
            rowToRgb(pixels, row.data(), width);
        else
            rowToRgba(pixels, row.data(), width);
        upFilter(row.data(), above.data(), filtered.data() + 1, rowBytes);
        std::swap(row, above);
        stream->next_in = filtered.data();
        stream->avail_in = uInt(filtered.size());
        if (!compress(Z_NO_FLUSH)) return false;
    }
    if (!compress(Z_FINISH)) return false;
    const quint32 rest = kIdatBytes - stream->avail_out;
    if (rest > 0 && !writeChunk(device, "IDAT", idat.data(), rest, error)) return false;

    unsigned char end[8 + 4];
    return writeChunk(device, "IEND", end, 0, error);
}

void savePngFile(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ChartError(QStringLiteral("%1: cannot write image: %2").arg(path, file.errorString()));
    QString error;
    if (!writePng(file, image, &error))
        throw ChartError(QStringLiteral("%1: cannot write image: %2").arg(path, error));
    if (!file.commit())
        throw ChartError(QStringLiteral("%1: cannot write image: %2").arg(path, file.errorString()));
}

}  // namespace chartcomponent
