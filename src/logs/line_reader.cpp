#include "logs/line_reader.h"

#include <cstring>
#include <utility>

namespace hygrova {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(ReadBytes read, std::size_t maxLineBytes, std::size_t blockBytes)
    : m_input(std::move(read)), m_maxLineBytes(maxLineBytes), m_blockBytes(blockBytes)
{
}

bool LineReader::Next(LineChunk& chunk, std::size_t maxLines)
{
    chunk.firstLine = m_nextLine;
    chunk.text.clear();
    chunk.lines.clear();
    while (chunk.lines.size() < maxLines && chunk.text.size() < m_blockBytes) {
        const char* const data = m_buffer.data();
        const auto* newline =
            static_cast<const char*>(std::memchr(data + m_begin, '\n', m_end - m_begin));
        if (m_skipping) {
            m_begin = newline ? static_cast<std::size_t>(newline - data) + 1 : m_end;
            m_skipping = newline == nullptr;
            if (m_skipping && !Fill()) {
                break;
            }
            continue;
        }
        if (newline) {
            const auto end = static_cast<std::size_t>(newline - data);
            AddLine(chunk, m_begin, end);
            m_begin = end + 1;
        } else if (m_end - m_begin > m_maxLineBytes) {
            AddTooLong(chunk);
            m_skipping = true;
            m_begin = m_end;
            break;
        } else if (!Fill()) {
            if (m_end > m_begin) {  // the last line has no line end
                AddLine(chunk, m_begin, m_end);
                m_begin = m_end;
            }
            break;
        }
    }
    return !chunk.lines.empty();
}

void LineReader::AddLine(LineChunk& chunk, std::size_t begin, std::size_t end)
{
    std::string_view line(m_buffer.data() + begin, end - begin);
    if (m_nextLine == 1 && line.starts_with(kByteOrderMark)) {
        line.remove_prefix(kByteOrderMark.size());
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (line.size() > m_maxLineBytes) {
        AddTooLong(chunk);
        return;
    }
    chunk.lines.push_back({static_cast<std::uint32_t>(chunk.text.size()),
                           static_cast<std::uint32_t>(line.size()), false});
    chunk.text.append(line);
    ++m_nextLine;
}

void LineReader::AddTooLong(LineChunk& chunk)
{
    chunk.lines.push_back({static_cast<std::uint32_t>(chunk.text.size()), 0, true});
    ++m_nextLine;
}

bool LineReader::Fill()
{
    if (m_atEnd) {
        return false;
    }
    // Keep the unconsumed part of a line at the front, then read a block behind it.
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
    if (m_buffer.size() < m_end + m_blockBytes) {
        m_buffer.resize(m_end + m_blockBytes);
    }
    const std::size_t count = m_input.Read(m_buffer.data() + m_end, m_blockBytes);
    m_end += count;
    m_atEnd = count == 0;
    return !m_atEnd;
}

}  // namespace hygrova
