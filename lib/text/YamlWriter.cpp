#include "text/YamlWriter.h"

#include <QList>
#include <algorithm>

namespace {

// What a YAML reader takes as it stands: no control characters, no byte-order
// mark or non-characters, and none of the characters YAML 1.1 reads as a
// line break.
bool printable(char32_t c)
{
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xD7FF && c != 0x2028 && c != 0x2029)
           || (c >= 0xE000 && c <= 0xFFFD && c != 0xFEFF) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Numbers, identifiers and frequency texts; anything else (an empty text, a
// word a reader takes for null, punctuation of YAML's own) is quoted.
bool safePlain(const QByteArray &value)
{
    if (value.isEmpty() || value == "null" || value == "Null" || value == "NULL")
        return false;
    return std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' || c == '+' || c == '-';
    });
}

void appendUtf8(QByteArray &out, char32_t c)
{
    out += QString::fromUcs4(&c, 1).toUtf8();
}

}

void YamlWriter::newLine(int indent)
{
    if (!m_out.isEmpty())
        m_out += '\n';
    m_out.append(indent, ' ');
}

void YamlWriter::startValue()
{
    if (m_afterKey) {
        m_out += ' ';
        m_afterKey = false;
        return;
    }
    if (m_levels.empty() || !m_levels.back().sequence)
        return;
    Level &sequence = m_levels.back();
    if (sequence.firstOnDashLine)
        sequence.firstOnDashLine = false;
    else
        newLine(sequence.indent);
    m_out += "- ";
    sequence.empty = false;
}

void YamlWriter::beginMapping()
{
    begin(false);
}

void YamlWriter::beginSequence()
{
    begin(true);
}

void YamlWriter::begin(bool sequence)
{
    Level level;
    level.sequence = sequence;
    if (m_levels.empty()) {
        m_levels.push_back(level);
        return;
    }
    if (m_afterKey) {
        // Under a key: the entries or items start on the next lines, one level in.
        m_afterKey = false;
        level.underKey = true;
        level.indent = m_levels.back().indent + 2;
    } else {
        startValue();  // an item of a sequence: its first entry follows the "- "
        level.indent = m_levels.back().indent + 2;
        level.firstOnDashLine = true;
    }
    m_levels.push_back(level);
}

void YamlWriter::end()
{
    if (m_levels.empty())
        return;
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.empty) {
        if (level.underKey)
            m_out += ' ';
        m_out += level.sequence ? "[]" : "{}";
    }
}

void YamlWriter::endMapping()
{
    end();
}

void YamlWriter::endSequence()
{
    end();
}

void YamlWriter::emptySequence()
{
    startValue();
    m_out += "[]";
}

void YamlWriter::key(const char *name)
{
    if (m_levels.empty())
        return;
    Level &mapping = m_levels.back();
    if (mapping.firstOnDashLine)
        mapping.firstOnDashLine = false;
    else
        newLine(mapping.indent);
    mapping.empty = false;
    m_out += name;
    m_out += ':';
    m_afterKey = true;
}

void YamlWriter::key(const QString &name)
{
    key(name.toUtf8().constData());
}

void YamlWriter::plain(const QByteArray &value)
{
    startValue();
    if (safePlain(value))
        m_out += value;
    else
        m_out += quotedText(QString::fromUtf8(value));
}

void YamlWriter::plain(int value)
{
    plain(QByteArray::number(value));
}

void YamlWriter::quoted(const QString &value)
{
    startValue();
    m_out += quotedText(value);
}

void YamlWriter::null()
{
    startValue();
    m_out += "null";
}

void YamlWriter::pair(int first, int second)
{
    startValue();
    m_out += '[';
    m_out += QByteArray::number(first);
    m_out += ", ";
    m_out += QByteArray::number(second);
    m_out += ']';
}

void YamlWriter::comment(const QString &text)
{
    QByteArray line;
    for (const char32_t c : text.toUcs4()) {
        if (printable(c))
            appendUtf8(line, c);
        else
            line += ' ';
    }
    if (line.trimmed().isEmpty())
        return;
    m_out += "  # ";
    m_out += line;
}

QByteArray YamlWriter::text() const
{
    return m_out + '\n';
}

QByteArray YamlWriter::quotedText(const QString &value)
{
    QByteArray out;
    out.reserve(value.size() + 2);
    out += '"';
    // toUcs4() gives U+FFFD for a stray half of a UTF-16 pair, which UTF-8 cannot hold.
    for (const char32_t c : value.toUcs4()) {
        switch (c) {
        case U'"': out += "\\\""; continue;
        case U'\\': out += "\\\\"; continue;
        case U'\n': out += "\\n"; continue;
        case U'\t': out += "\\t"; continue;
        case U'\r': out += "\\r"; continue;
        case U'\0': out += "\\0"; continue;
        default: break;
        }
        if (c < 0x80 && printable(c))
            out += char(c);
        else if (printable(c))
            appendUtf8(out, c);
        else if (c <= 0xFF)
            out += "\\x" + QByteArray::number(uint(c), 16).rightJustified(2, '0').toUpper();
        else
            out += "\\u" + QByteArray::number(uint(c), 16).rightJustified(4, '0').toUpper();
    }
    out += '"';
    return out;
}
