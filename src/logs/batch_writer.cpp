#include "logs/batch_writer.h"

#include "common/state_texts.h"

#include <algorithm>
#include <utility>

namespace hygrova {
namespace {

// Appends `text` as one CSV field, quoted when it holds a comma, a quote or a line end.
void AppendField(std::string& out, std::string_view text)
{
    // One pass over the field: find_first_of would search the four characters per byte.
    const auto special = [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; };
    if (std::none_of(text.begin(), text.end(), special)) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (const char c : text) {
        out.append(c == '"' ? "\"\"" : std::string_view(&c, 1));
    }
    out.push_back('"');
}

}  // namespace

std::string OutputHeaderLine(const LogLayout& layout)
{
    std::string line;
    for (const std::size_t column : layout.carriedColumns) {
        AppendField(line, layout.names[column]);
        line.push_back(',');
    }
    for (const QuantityCaption& column : kQuantityCaptions) {
        line.append(column.name).push_back(',');
    }
    return line.append("message\n");
}

void AppendOutputRow(const LogReading& reading, const LogLayout& layout, std::string& out)
{
    for (const std::size_t column : layout.carriedColumns) {
        if (column < reading.fields.size()) {
            AppendField(out, reading.fields[column]);
        }
        out.push_back(',');
    }
    for (const std::string& text : reading.texts) {
        out.append(text.starts_with(' ') ? std::string_view(text).substr(1) : text);
        out.push_back(',');
    }
    AppendField(out, ReadingMessage(reading, layout));
    out.push_back('\n');
}

BatchWriter::BatchWriter(WriteBytes write, ReportRows report)
    : m_write(std::move(write)), m_report(std::move(report))
{
}

void BatchWriter::Start(const LogLayout& layout)
{
    m_layout = layout;
    m_write(OutputHeaderLine(layout));
}

void BatchWriter::Prepare(const LogReading& reading, LogBlock& block) const
{
    AppendOutputRow(reading, m_layout, block.text);
}

void BatchWriter::Take(const LogBlock& block)
{
    m_write(block.text);
    m_rows += block.count;
    if (m_report) {
        m_report(m_rows);
    }
}

LogSummary RunBatch(LineReader& reader, const LogOptions& options, const WriteBytes& write,
                    const ReportRows& report)
{
    BatchWriter writer(write, report);
    return ReadLog(reader, options, writer);
}

}  // namespace hygrova
