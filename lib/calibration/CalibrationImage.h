#pragma once

#include "calibration/CalibrationParameters.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The copy of the radio's calibration memory that the service mode works on:
// byte i is calibration address i. Only 0x0100..0x027F travels to and from
// the radio, as six blocks of 64 bytes; the rest is kept as loaded.
constexpr int kCalibrationImageSize = 0x4000;
constexpr int kCalibrationAreaStart = 0x0100;
constexpr int kCalibrationAreaEnd = 0x0280;  // one past the last byte
constexpr int kCalibrationBlockSize = 0x40;
constexpr int kCalibrationBlockCount = (kCalibrationAreaEnd - kCalibrationAreaStart) / kCalibrationBlockSize;

class CalibrationImage
{
public:
    enum class Direction { Receive, Transmit };

    // Before the first read or load every byte is erased (0xFF).
    CalibrationImage() { m_bytes.fill(0xFF); }

    uint8_t *data() { return m_bytes.data(); }
    const uint8_t *data() const { return m_bytes.data(); }
    static constexpr int size() { return kCalibrationImageSize; }
    QByteArray toByteArray() const;
    bool operator==(const CalibrationImage &) const = default;

    // Bounds-checked byte access: reads outside the image give -1, writes
    // outside it change nothing and return false.
    int byteAt(int address) const;
    QByteArray bytes(int address, int count) const;
    bool setBytes(int address, const QByteArray &bytes);

    // The value of a parameter at frequency point 0..4 (single parameters
    // ignore the point), or -1 for a point outside 0..4.
    int value(const CalibrationParameter &parameter, int point) const;
    // Stores a value in the parameter's width (words low byte first). Values
    // outside the parameter's range are refused.
    bool setValue(const CalibrationParameter &parameter, int point, int value);
    // The same by table row (3..41).
    int value(int row, int point) const;
    bool setValue(int row, int point, int value);

    // The receive or transmit frequency of a point: RX at 0x0100 + 8p,
    // TX at 0x0104 + 8p.
    static int frequencyAddress(int point, Direction direction);
    // Six decimals of MHz ("435.002500"), empty when no frequency is stored.
    QString frequencyText(int point, Direction direction) const;
    // The five BCD decimals as stored ("435.00250"), empty when none is stored.
    QString frequencyDigits(int point, Direction direction) const;
    // Stores a typed frequency snapped to the channel raster; empty erases it.
    // A text that is not a frequency (isFrequencyText) writes nothing: false.
    bool setFrequencyText(int point, Direction direction, const QString &text);
    // Whether a typed text is a frequency the table takes: empty (no
    // frequency), or megahertz as 1 to 3 digits, optionally followed by a
    // point and decimals ("435", "435.0025", "86.5"). Blanks around it are
    // ignored; a sign, a comma, a second point or a letter make it no frequency.
    static bool isFrequencyText(const QString &text);

    // Copies the parameters one adjust item tunes (at its point) from another image.
    void copyValues(const CalibrationImage &from, const QList<int> &rows, int point);

private:
    std::array<uint8_t, kCalibrationImageSize> m_bytes;
};
