// A PNG encoder for chart images, built for speed rather than the smallest
// file: one fixed row filter and zlib's fastest level, the compressed data
// streamed to the device in chunks as it is made.
#pragma once

class QImage;
class QIODevice;
class QString;

namespace chartcomponent {

// Writes image as a PNG to device, which must be open for writing: 8-bit RGB
// when every pixel is opaque (charts always are), 8-bit RGBA otherwise. The
// pixel density is kept. Returns false with the reason in *error when the
// image is empty, the device refuses a write or the compressor fails; what
// was written before stays on the device.
bool writePng(QIODevice& device, const QImage& image, QString* error);

// Writes image as a PNG file at path, replacing the file only once the whole
// image is written; throws ChartError naming the file when it cannot. It
// touches no widget, so a caller may encode on another thread while it
// draws the next chart.
void savePngFile(const QImage& image, const QString& path);

}  // namespace chartcomponent
