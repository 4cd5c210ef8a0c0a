#pragma once

// Reads text input as a stream of lines in blocks, so that memory stays flat however large
// the input is. Every line of the input comes out exactly once and in order: a line longer
// than the limit keeps none of its bytes but is still reported, as a line too long. UTF-16
// input with a byte order mark comes out as UTF-8 (TextDecoder).

#include "logs/text_decoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// Lines longer than this (bytes, line end excluded) are not kept: no row of measurements
// comes near it, and a runaway line must not take the memory.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// A block of consecutive input lines, line ends (LF or CRLF) removed.
struct LineChunk {
    struct Line {
        std::uint32_t offset = 0;  // into text
        std::uint32_t length = 0;
        bool tooLong = false;  // longer than the limit; its bytes are not kept
    };

    std::uint64_t firstLine = 0;  // number of the first line in the input, from 1
    std::string text;
    std::vector<Line> lines;

    std::string_view TextOf(const Line& line) const
    {
        return {text.data() + line.offset, line.length};
    }
};

class LineReader {
public:
    // May throw to report a read error, which passes through Next.
    using ReadBytes = hygrova::ReadBytes;

    explicit LineReader(ReadBytes read, std::size_t maxLineBytes = kMaxLineBytes,
                        std::size_t blockBytes = 256 * 1024);

    // Replaces the contents of `chunk` with the next lines: at most `maxLines` of them, and
    // no more once their text reaches the block size; a line too long ends the block, so that
    // a first line without end is not read on. A UTF-8 byte order mark at the start of the
    // input is dropped. Returns false when no line is left.
    bool Next(LineChunk& chunk, std::size_t maxLines);

private:
    void AddLine(LineChunk& chunk, std::size_t begin, std::size_t end);
    void AddTooLong(LineChunk& chunk);
    // Reads more input behind what is not consumed yet; false at the end of the input.
    bool Fill();

    TextDecoder m_input;
    std::size_t m_maxLineBytes;
    std::size_t m_blockBytes;
    std::string m_buffer;
    std::size_t m_begin = 0;  // first byte not consumed
    std::size_t m_end = 0;    // end of the bytes read
    std::uint64_t m_nextLine = 1;
    bool m_skipping = false;  // inside a line too long, up to its end
    bool m_atEnd = false;
};

}  // namespace hygrova
