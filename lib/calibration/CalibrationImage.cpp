#include "calibration/CalibrationImage.h"

#include "codeplug/Encodings.h"

#include <QRegularExpression>

namespace {

bool fits(int address, int width)
{
    return address >= 0 && width >= 0 && address <= kCalibrationImageSize - width;
}

}

QByteArray CalibrationImage::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), kCalibrationImageSize);
}

int CalibrationImage::byteAt(int address) const
{
    return fits(address, 1) ? m_bytes[address] : -1;
}

QByteArray CalibrationImage::bytes(int address, int count) const
{
    if (!fits(address, count))
        return {};
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data() + address), count);
}

bool CalibrationImage::setBytes(int address, const QByteArray &bytes)
{
    if (!fits(address, int(bytes.size())))
        return false;
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + address);
    return true;
}

int CalibrationImage::value(const CalibrationParameter &parameter, int point) const
{
    const int address = parameter.address(point);
    if (!fits(address, parameter.byteWidth()))
        return -1;
    if (parameter.width == CalibrationParameter::Width::Byte)
        return m_bytes[address];
    return m_bytes[address] | (m_bytes[address + 1] << 8);
}

bool CalibrationImage::setValue(const CalibrationParameter &parameter, int point, int value)
{
    const int address = parameter.address(point);
    if (!fits(address, parameter.byteWidth()) || value < 0 || value > parameter.maximum)
        return false;
    m_bytes[address] = uint8_t(value & 0xFF);
    if (parameter.width == CalibrationParameter::Width::Word)
        m_bytes[address + 1] = uint8_t(value >> 8);
    return true;
}

int CalibrationImage::value(int row, int point) const
{
    const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
    return parameter ? value(*parameter, point) : -1;
}

bool CalibrationImage::setValue(int row, int point, int value)
{
    const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
    return parameter && setValue(*parameter, point, value);
}

int CalibrationImage::frequencyAddress(int point, Direction direction)
{
    if (point < 0 || point >= kFrequencyPointCount)
        return -1;
    return kCalibrationAreaStart + 8 * point + (direction == Direction::Transmit ? 4 : 0);
}

QString CalibrationImage::frequencyText(int point, Direction direction) const
{
    const int address = frequencyAddress(point, direction);
    return address < 0 ? QString() : FrequencyBcd::toText(m_bytes.data() + address);
}

QString CalibrationImage::frequencyDigits(int point, Direction direction) const
{
    const int address = frequencyAddress(point, direction);
    if (address < 0)
        return {};
    const uint8_t *b = m_bytes.data() + address;
    if (b[3] > 0x99)
        return {};
    return QString::asprintf("%x%x.%x%02x%02x", b[3], b[2] >> 4, b[2] & 0x0F, b[1], b[0]);
}

bool CalibrationImage::setFrequencyText(int point, Direction direction, const QString &text)
{
    const int address = frequencyAddress(point, direction);
    if (address < 0 || !isFrequencyText(text))
        return false;
    FrequencyBcd::fromText(text.trimmed(), m_bytes.data() + address);
    return true;
}

bool CalibrationImage::isFrequencyText(const QString &text)
{
    // The encoding reads the leading digits of any text, so "435.0025x" or
    // "-435" would be stored as some other frequency: they are refused here.
    static const QRegularExpression frequency(QStringLiteral("^[0-9]{1,3}(\\.[0-9]*)?$"));
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || frequency.match(trimmed).hasMatch();
}

void CalibrationImage::copyValues(const CalibrationImage &from, const QList<int> &rows, int point)
{
    for (int row : rows) {
        const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
        if (!parameter)
            continue;
        const int address = parameter->address(point);
        if (fits(address, parameter->byteWidth()))
            setBytes(address, from.bytes(address, parameter->byteWidth()));
    }
}
