#pragma once

// The bytes of a text input as UTF-8: UTF-16 files that begin with a byte order mark (as some
// Windows tools write them) are decoded as they stream in; any other input passes unchanged.

#include <cstddef>
#include <functional>
#include <string>

namespace hygrova {

// Reads up to `size` bytes into `buffer` and returns how many; 0 at the end of the input.
using ReadBytes = std::function<std::size_t(char* buffer, std::size_t size)>;

// Reads `text` from memory, as a file would be read; the text must outlive the reads.
ReadBytes BytesOf(const std::string& text);

class TextDecoder {
public:
    explicit TextDecoder(ReadBytes read);

    // Reads up to `size` (at least 4) bytes of UTF-8 into `buffer`; 0 at the end of the input.
    // UTF-16 input loses its byte order mark; an unpaired surrogate or a lone last byte comes
    // out as U+FFFD, so that the line holding it cannot pass for clean text.
    std::size_t Read(char* buffer, std::size_t size);

private:
    enum class Encoding { kUnknown, kPassThrough, kUtf16LittleEndian, kUtf16BigEndian };

    void DetectEncoding();
    // Reads more raw bytes behind those not decoded yet; false at the end of the input.
    bool FillRaw(std::size_t wanted);
    std::size_t DecodeUtf16(char* buffer, std::size_t size);

    ReadBytes m_read;
    Encoding m_encoding = Encoding::kUnknown;
    std::string m_raw;       // bytes read but not handed on or decoded yet
    std::size_t m_rawBegin = 0;
    bool m_atEnd = false;
};

}  // namespace hygrova
