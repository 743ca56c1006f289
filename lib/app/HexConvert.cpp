#include "app/HexConvert.h"

namespace {

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (static_cast<unsigned char>(c) - 55) & 15;
}

}

void HexConvert(QByteArray &buffer, int direction, int count)
{
    if (count <= 0)
        return;
    if (direction == 0) {
        if (buffer.size() < count)
            buffer.append(QByteArray(count - buffer.size(), '\0'));
        for (int i = 0; i < count / 2; ++i)
            buffer[i] = char((digitValue(buffer[2 * i]) << 4) | digitValue(buffer[2 * i + 1]));
        return;
    }
    static const char digits[] = "0123456789ABCDEF";
    if (buffer.size() < 2 * count)
        buffer.append(QByteArray(2 * count - buffer.size(), '\0'));
    for (int i = count - 1; i >= 0; --i) {
        const auto b = static_cast<unsigned char>(buffer[i]);
        buffer[2 * i + 1] = digits[b & 15];
        buffer[2 * i] = digits[b >> 4];
    }
}

QByteArray HexPack(const QByteArray &text, int byteCount)
{
    QByteArray buffer = text.left(2 * byteCount);
    HexConvert(buffer, 0, 2 * byteCount);
    return buffer.left(byteCount);
}
