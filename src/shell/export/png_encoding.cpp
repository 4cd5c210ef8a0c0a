#include "shell/export/png_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include <QImage>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

namespace hygrova {
namespace {

// Rows converted and handed to the compressor at a time: few enough that they stay in the
// cache, enough that each call has long runs to work on.
constexpr int kRowsPerBatch = 16;
// Output room kept free before each call of the compressor, so that every call can progress.
constexpr std::uint32_t kOutputReserve = 4096;

void AppendBigEndian(QByteArray& bytes, std::uint32_t value)
{
    const std::array<char, 4> word{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                                   static_cast<char>(value >> 8), static_cast<char>(value)};
    bytes.append(word.data(), 4);
}

// A PNG chunk: length, type, data and the CRC-32 of type and data (the CRC of gzip, which
// ISA-L names crc32_gzip_refl).
void AppendChunk(QByteArray& file, const char* type, const QByteArray& data)
{
    AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(data);
    const auto* typeAndData = reinterpret_cast<const unsigned char*>(file.constData() + start);
    AppendBigEndian(
        file, crc32_gzip_refl(0, typeAndData, static_cast<std::uint64_t>(file.size() - start)));
}

// Row y as the PNG stores it: filter 0 (none), then red, green and blue of each pixel. Read
// through qRed and friends, the words give the same bytes on either byte order.
void RowBytes(const QImage& pixels, int y, std::uint8_t* out)
{
    const auto* words = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    const QRgb* const end = words + pixels.width();
    *out++ = 0;
    for (; words != end; ++words) {
        const QRgb word = *words;
        *out++ = static_cast<std::uint8_t>(qRed(word));
        *out++ = static_cast<std::uint8_t>(qGreen(word));
        *out++ = static_cast<std::uint8_t>(qBlue(word));
    }
}

// Makes room for more output when the compressor has nearly filled what it had: doubles the
// buffer.
void GrowOutput(QByteArray& out, isal_zstream& stream)
{
    const qsizetype written = stream.total_out;
    out.resize(2 * out.size() + kOutputReserve);
    stream.next_out = reinterpret_cast<std::uint8_t*>(out.data() + written);
    stream.avail_out = static_cast<std::uint32_t>(out.size() - written);
}

// All rows as one zlib stream (header and adler32 trailer included), by ISA-L's igzip at its
// level 1: about six times as fast as zlib's fastest level, and smaller on a chart. Empty if
// the compressor reports an error.
QByteArray DeflateRows(const QImage& pixels)
{
    std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    isal_zstream stream{};
    isal_deflate_init(&stream);
    stream.level = 1;
    stream.level_buf = levelBuffer.data();
    stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
    stream.gzip_flag = IGZIP_ZLIB;

    const auto rowSize = 1 + 3 * static_cast<std::size_t>(pixels.width());
    std::vector<std::uint8_t> batch(rowSize * kRowsPerBatch);
    // A chart compresses about twelvefold; the buffer doubles if a picture does worse.
    QByteArray out(static_cast<qsizetype>(rowSize) * pixels.height() / 8 + kOutputReserve,
                   Qt::Uninitialized);
    stream.next_out = reinterpret_cast<std::uint8_t*>(out.data());
    stream.avail_out = static_cast<std::uint32_t>(out.size());
    for (int first = 0; first < pixels.height(); first += kRowsPerBatch) {
        const int end = std::min(first + kRowsPerBatch, pixels.height());
        for (int y = first; y < end; ++y) {
            RowBytes(pixels, y, batch.data() + rowSize * static_cast<std::size_t>(y - first));
        }
        stream.next_in = batch.data();
        stream.avail_in =
            static_cast<std::uint32_t>(rowSize * static_cast<std::size_t>(end - first));
        stream.end_of_stream = end == pixels.height() ? 1 : 0;
        // Until the batch is taken and, after the last, the stream is finished.
        while (stream.avail_in > 0 ||
               (stream.end_of_stream != 0 && stream.internal_state.state != ZSTATE_END)) {
            if (stream.avail_out < kOutputReserve) {
                GrowOutput(out, stream);
            }
            if (isal_deflate(&stream) != COMP_OK) {
                return QByteArray();
            }
        }
    }
    out.resize(stream.total_out);
    return out;
}

}  // namespace

QByteArray EncodePng(const QImage& image)
{
    // 0xffRRGGBB words, the chart's own format, so usually no conversion.
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull()) {
        return QByteArray();
    }
    const QByteArray rows = DeflateRows(pixels);
    if (rows.isEmpty()) {
        return QByteArray();
    }
    QByteArray header;
    AppendBigEndian(header, static_cast<std::uint32_t>(pixels.width()));
    AppendBigEndian(header, static_cast<std::uint32_t>(pixels.height()));
    // 8 bits per sample, truecolour, deflate, adaptive filtering, no interlace.
    header.append("\x08\x02\x00\x00\x00", 5);
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    file.reserve(file.size() + 4 * 12 + header.size() + 9 + rows.size());
    AppendChunk(file, "IHDR", header);
    // The physical resolution, pixels per metre.
    QByteArray resolution;
    AppendBigEndian(resolution, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterX())));
    AppendBigEndian(resolution, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterY())));
    resolution.append('\x01');
    AppendChunk(file, "pHYs", resolution);
    AppendChunk(file, "IDAT", rows);
    AppendChunk(file, "IEND", QByteArray());
    return file;
}

}  // namespace hygrova
