#include "logs/text_decoding.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace hygrova {
namespace {

constexpr std::size_t kRawBlockBytes = 64 * 1024;
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Writes the UTF-8 form of `codePoint` (no surrogate) at `out`; returns its length, 1 to 4.
std::size_t EncodeUtf8(char32_t codePoint, char* out)
{
    const auto put = [&](std::size_t i, char32_t bits) { out[i] = static_cast<char>(bits); };
    if (codePoint < 0x80) {
        put(0, codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        put(0, 0xC0 | (codePoint >> 6));
        put(1, 0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        put(0, 0xE0 | (codePoint >> 12));
        put(1, 0x80 | ((codePoint >> 6) & 0x3F));
        put(2, 0x80 | (codePoint & 0x3F));
        return 3;
    }
    put(0, 0xF0 | (codePoint >> 18));
    put(1, 0x80 | ((codePoint >> 12) & 0x3F));
    put(2, 0x80 | ((codePoint >> 6) & 0x3F));
    put(3, 0x80 | (codePoint & 0x3F));
    return 4;
}

}  // namespace

TextDecoder::TextDecoder(ReadBytes read) : m_read(std::move(read)) {}

std::size_t TextDecoder::Read(char* buffer, std::size_t size)
{
    if (m_encoding == Encoding::kUnknown) {
        DetectEncoding();
    }
    if (m_encoding != Encoding::kPassThrough) {
        return DecodeUtf16(buffer, size);
    }
    if (m_rawBegin < m_raw.size()) {  // the bytes looked at to tell the encoding
        const std::size_t count = std::min(size, m_raw.size() - m_rawBegin);
        std::memcpy(buffer, m_raw.data() + m_rawBegin, count);
        m_rawBegin += count;
        return count;
    }
    return m_read(buffer, size);
}

void TextDecoder::DetectEncoding()
{
    FillRaw(2);
    const std::string_view start = std::string_view(m_raw).substr(0, 2);
    m_encoding = start == "\xFF\xFE"   ? Encoding::kUtf16LittleEndian
                 : start == "\xFE\xFF" ? Encoding::kUtf16BigEndian
                                       : Encoding::kPassThrough;
    if (m_encoding != Encoding::kPassThrough) {
        m_rawBegin = 2;
    }
}

bool TextDecoder::FillRaw(std::size_t wanted)
{
    while (m_raw.size() - m_rawBegin < wanted && !m_atEnd) {
        m_raw.erase(0, m_rawBegin);
        m_rawBegin = 0;
        const std::size_t kept = m_raw.size();
        m_raw.resize(kept + kRawBlockBytes);
        const std::size_t count = m_read(m_raw.data() + kept, kRawBlockBytes);
        m_raw.resize(kept + count);
        m_atEnd = count == 0;
    }
    return m_raw.size() - m_rawBegin >= wanted;
}

std::size_t TextDecoder::DecodeUtf16(char* buffer, std::size_t size)
{
    const bool bigEndian = m_encoding == Encoding::kUtf16BigEndian;
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(m_raw[i]);
        const auto second = static_cast<unsigned char>(m_raw[i + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::size_t written = 0;
    while (size - written >= 4) {
        if (!FillRaw(2)) {
            if (m_rawBegin < m_raw.size()) {  // an odd last byte
                m_rawBegin = m_raw.size();
                written += EncodeUtf8(kReplacement, buffer + written);
            }
            break;
        }
        char32_t codePoint = unitAt(m_rawBegin);
        std::size_t used = 2;
        if (IsHighSurrogate(codePoint) && FillRaw(4) && IsLowSurrogate(unitAt(m_rawBegin + 2))) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unitAt(m_rawBegin + 2) - 0xDC00);
            used = 4;
        } else if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) {
            codePoint = kReplacement;
        }
        m_rawBegin += used;
        written += EncodeUtf8(codePoint, buffer + written);
    }
    return written;
}

ReadBytes BytesOf(const std::string& text)
{
    return [&text, position = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min(size, text.size() - position);
        std::memcpy(buffer, text.data() + position, count);
        position += count;
        return count;
    };
}

}  // namespace hygrova
