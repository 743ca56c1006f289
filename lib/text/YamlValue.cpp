#include "text/YamlValue.h"

#include "text/YamlTree.h"

#include <algorithm>

namespace YamlCodeplug {

using namespace Fields;

namespace {

// Past every field's limits, yet far from overflowing an int.
constexpr qint64 kOutOfReach = 1'000'000'000;

}

QString kindName(const YamlNode &node)
{
    if (node.isMapping())
        return QStringLiteral("a mapping");
    if (node.isSequence())
        return QStringLiteral("a list");
    if (node.isNull())
        return QStringLiteral("nothing");
    return QStringLiteral("\"%1\"").arg(node.scalar);
}

std::optional<ParsedValue> parseValue(const Field &field, const YamlNode &node, QString *why)
{
    ParsedValue p;
    const auto fail = [&](const QString &reason) {
        *why = reason;
        return std::optional<ParsedValue>();
    };
    if (node.isNull()) {
        switch (field.kind) {
        case Kind::Ref:
        case Kind::ChannelRef:
            return p;  // none
        case Kind::Tone:
            p.text = QStringLiteral("none");
            return p;
        case Kind::Text:
        case Kind::Frequency:
            return fail(QStringLiteral("a value is expected"));
        default:
            p.keep = true;
            return p;
        }
    }
    if (field.kind == Kind::ChannelRef) {
        if (!node.isSequence() || node.size() != 2 || !node.item(0).isScalar() || !node.item(1).isScalar())
            return fail(QStringLiteral("[zone, channel] or null is expected, not %1").arg(kindName(node)));
        bool zoneOk = false, channelOk = false;
        p.pair.zone = node.item(0).scalar.toInt(&zoneOk);
        p.pair.channel = node.item(1).scalar.toInt(&channelOk);
        if (!zoneOk || !channelOk || p.pair.zone < 1 || p.pair.zone > 16 || p.pair.channel < 1 || p.pair.channel > 16)
            return fail(QStringLiteral("zone and channel numbers from 1 to 16 are expected"));
        return p;
    }
    if (!node.isScalar())
        return fail(QStringLiteral("a single value is expected, not %1").arg(kindName(node)));
    const QString &text = node.scalar;
    bool ok = false;
    switch (field.kind) {
    case Kind::Bool:
        if (text != QLatin1String("true") && text != QLatin1String("false"))
            return fail(QStringLiteral("true or false is expected, not \"%1\"").arg(text));
        p.number = text == QLatin1String("true") ? 1 : 0;
        return p;
    case Kind::Int: {
        // Limits and raster are the field's entry rule; here only the number is read.
        const qint64 value = text.toLongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("a whole number is expected, not \"%1\"").arg(text));
        p.number = int(std::clamp<qint64>(value, -kOutOfReach, kOutOfReach));
        return p;
    }
    case Kind::Decimal: {
        bool exact = true;
        const std::optional<int> units = parseDecimal(text, field.scale, &exact);
        if (!units)
            return fail(decimalCommaHint(text).value_or(QStringLiteral("a number is expected, not \"%1\"").arg(text)));
        p.number = *units;
        p.inexact = !exact;
        return p;
    }
    case Kind::Choice:
        p.number = int(field.choices.indexOf(text));
        if (p.number < 0)
            return fail(QStringLiteral("unknown choice \"%1\" (one of: %2)").arg(text, field.choices.join(QStringLiteral(", "))));
        return p;
    case Kind::Ref:
        p.number = text.toInt(&ok);
        if (!ok || p.number < 1 || p.number > field.max)
            return fail(QStringLiteral("a %1 number from 1 to %2 (or null) is expected, not \"%3\"")
                            .arg(targetLabel(field.target)).arg(field.max).arg(text));
        return p;
    default:
        p.text = text;
        return p;
    }
}

}
