#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Writes one YAML document in block style, two spaces per level:
//
//   zones:
//     - name: "Zone 1"
//       channels: []
//   rx_group_list: 1  # Group 1
//
// The caller knows which values are safe as plain scalars (keys, numbers,
// fixed identifiers); texts are written double-quoted with escapes, so any
// text reads back as it was written.
class YamlWriter
{
public:
    void beginMapping();
    void endMapping();
    void beginSequence();
    void endSequence();
    void emptySequence();  // []

    // A key of the open mapping; its value follows.
    void key(const char *name);
    void key(const QString &name);

    // A value written as it stands, or quoted when a reader would take it otherwise.
    void plain(const QByteArray &value);
    void plain(int value);
    void quoted(const QString &value);
    void null();
    void pair(int first, int second);  // [first, second]
    // A comment after the last value on its line; line breaks become blanks.
    void comment(const QString &text);

    QByteArray text() const;

    // The double-quoted form of a text, escapes included.
    static QByteArray quotedText(const QString &value);

private:
    struct Level
    {
        bool sequence = false;
        int indent = 0;
        bool underKey = false;         // the value of a key, rather than an item or the root
        bool firstOnDashLine = false;  // an item of a sequence starts after its "- "
        bool empty = true;
    };

    void begin(bool sequence);
    void end();
    // Starts the line of the next value, unless the value follows its key.
    void startValue();
    void newLine(int indent);

    QByteArray m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
