#pragma once

#include "fields/FieldCatalogue.h"

#include <QString>

#include <optional>

struct YamlNode;

namespace YamlCodeplug {

// A value read from the text for one field, before it is compared with the
// stored one.
struct ParsedValue
{
    bool keep = false;  // null where null means "leave as it is"
    int number = 0;
    bool inexact = false;  // a decimal with more places than the field keeps
    QString text;
    ChannelRef pair;
};

// How a node is named in a message: "a mapping", "a list", "nothing" or its text.
QString kindName(const YamlNode &node);

// Reads node as a value of field's kind. Limits, steps and choices beyond the
// spelling are the field's entry rule and are not checked here. On failure
// returns nothing and sets *why.
std::optional<ParsedValue> parseValue(const Fields::Field &field, const YamlNode &node, QString *why);

}
