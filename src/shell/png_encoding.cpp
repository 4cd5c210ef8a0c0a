#include "shell/png_encoding.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include <QImage>

#include <zlib.h>

namespace hygrova {
namespace {

// Rows compressed as one piece: small enough to share the work out evenly, large enough that
// the compression lost at each strip's start stays small.
constexpr int kRowsPerStrip = 64;
// zlib's default memory level; 9 and the "up" filter with run-length matching, tried on the
// chart, were slower or made larger files.
constexpr int kMemLevel = 8;

// The deflate data of a run of rows, not yet a whole zlib stream: the rows' adler32 and
// length let the parts be joined into one stream's checksum.
struct DeflatedRows {
    QByteArray data;
    uLong adler = adler32(0, nullptr, 0);
    z_off_t length = 0;
    bool ok = false;
};

void AppendBigEndian(QByteArray& bytes, std::uint32_t value)
{
    const std::array<char, 4> word{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                                   static_cast<char>(value >> 8), static_cast<char>(value)};
    bytes.append(word.data(), 4);
}

// A PNG chunk: length, type, data and the CRC of type and data.
void AppendChunk(QByteArray& file, const char* type, const QByteArray& data)
{
    AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(data);
    const auto* typeAndData = reinterpret_cast<const Bytef*>(file.constData() + start);
    AppendBigEndian(file, static_cast<std::uint32_t>(
                              crc32(0, typeAndData, static_cast<uInt>(file.size() - start))));
}

// Row y as the PNG stores it: filter 0 (none), then red, green and blue of each pixel. Read
// through qRed and friends, the words give the same bytes on either byte order.
void RowBytes(const QImage& pixels, int y, std::vector<std::uint8_t>& row)
{
    const auto* words = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    const int width = pixels.width();
    std::uint8_t* out = row.data();
    *out++ = 0;
    for (int x = 0; x < width; ++x) {
        const QRgb word = words[x];
        *out++ = static_cast<std::uint8_t>(qRed(word));
        *out++ = static_cast<std::uint8_t>(qGreen(word));
        *out++ = static_cast<std::uint8_t>(qBlue(word));
    }
}

// Rows [first, end) as raw deflate data. The last run of the image finishes the stream; any
// other ends on a byte boundary after a sync flush, so that the next run's data can follow
// it directly.
DeflatedRows DeflateRows(const QImage& pixels, int first, int end, bool last)
{
    DeflatedRows result;
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        return result;
    }
    std::vector<std::uint8_t> row(1 + 3 * static_cast<std::size_t>(pixels.width()));
    result.data.resize(static_cast<qsizetype>(row.size()) * (end - first) / 16 + 1024);
    stream.next_out = reinterpret_cast<Bytef*>(result.data.data());
    stream.avail_out = static_cast<uInt>(result.data.size());
    bool ok = true;
    for (int y = first; y < end && ok; ++y) {
        RowBytes(pixels, y, row);
        result.adler = adler32(result.adler, row.data(), static_cast<uInt>(row.size()));
        result.length += static_cast<z_off_t>(row.size());
        stream.next_in = row.data();
        stream.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 < end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
        int status = Z_OK;
        // Until the row is taken and, on the last row, the stream is flushed or finished;
        // the output doubles whenever deflate fills it.
        do {
            if (stream.avail_out == 0) {
                const qsizetype written = result.data.size();
                result.data.resize(2 * written);
                stream.next_out = reinterpret_cast<Bytef*>(result.data.data() + written);
                stream.avail_out = static_cast<uInt>(written);
            }
            status = deflate(&stream, flush);
        } while (status == Z_OK && (stream.avail_in > 0 || flush == Z_FINISH ||
                                    (flush == Z_SYNC_FLUSH && stream.avail_out == 0)));
        ok = flush == Z_FINISH ? status == Z_STREAM_END : status == Z_OK;
    }
    result.data.resize(result.data.size() - static_cast<qsizetype>(stream.avail_out));
    result.ok = deflateEnd(&stream) != Z_STREAM_ERROR && ok;
    return result;
}

}  // namespace

QByteArray EncodePng(const QImage& image)
{
    // 0xffRRGGBB words, the chart's own format, so usually no conversion.
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull()) {
        return QByteArray();
    }
    // The rows in strips, compressed on two threads: this one and a helper take the next
    // strip until none is left, so that a dense part of the picture does not hold up the
    // other thread. Joined in order, the strips are one deflate stream.
    const int height = pixels.height();
    const int strips = (height + kRowsPerStrip - 1) / kRowsPerStrip;
    std::vector<DeflatedRows> deflated(static_cast<std::size_t>(strips));
    std::atomic<int> next = 0;
    const auto deflateStrips = [&] {
        for (int strip = next++; strip < strips; strip = next++) {
            const int first = strip * kRowsPerStrip;
            deflated[static_cast<std::size_t>(strip)] = DeflateRows(
                pixels, first, std::min(first + kRowsPerStrip, height), strip + 1 == strips);
        }
    };
    {
        std::jthread helper;
        if (strips > 1) {
            helper = std::jthread(deflateStrips);
        }
        deflateStrips();
    }
    uLong adler = adler32(0, nullptr, 0);
    for (const DeflatedRows& strip : deflated) {
        if (!strip.ok) {
            return QByteArray();
        }
        adler = adler32_combine(adler, strip.adler, strip.length);
    }
    // The zlib stream's header (deflate, 32 KiB window, fastest level) and trailer (adler32
    // of all rows, big-endian) go around the strips.
    deflated.front().data.prepend("\x78\x01", 2);
    AppendBigEndian(deflated.back().data, static_cast<std::uint32_t>(adler));

    QByteArray header;
    AppendBigEndian(header, static_cast<std::uint32_t>(pixels.width()));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // 8 bits per sample, truecolour, deflate, adaptive filtering, no interlace.
    header.append("\x08\x02\x00\x00\x00", 5);
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    qsizetype size = file.size() + 3 * 12 + header.size();
    for (const DeflatedRows& strip : deflated) {
        size += 12 + strip.data.size();
    }
    file.reserve(size);
    AppendChunk(file, "IHDR", header);
    for (const DeflatedRows& strip : deflated) {
        AppendChunk(file, "IDAT", strip.data);
    }
    AppendChunk(file, "IEND", QByteArray());
    return file;
}

}  // namespace hygrova
