#pragma once

#include <QByteArray>

// Packs hex-digit characters into bytes in place (direction 0) or expands
// bytes into upper-case hex characters in place (any other direction).
// Packing: count characters become count / 2 bytes, first digit in the high
// nibble; '0'..'9' give 0..9 and any other character c gives (c - 55) & 15.
// Expanding: count bytes become 2 * count characters, worked from the end so
// the same buffer serves. The buffer grows when it is too short.
void HexConvert(QByteArray &buffer, int direction, int count);

// The packing of HexConvert for the first 2 * byteCount characters of text.
QByteArray HexPack(const QByteArray &text, int byteCount);
