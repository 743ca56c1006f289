#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// The radio's calibration values: where each lives in the calibration image,
// how wide it is, which range the dialogs offer, and the codes that name it
// on the wire. Rows are numbered as in the calibration table (rows 1 and 2
// are the receive and transmit frequencies, rows 3..41 the parameters).

constexpr int kFrequencyPointCount = 5;   // CH1..CH5, point index 0..4
constexpr int kFirstParameterRow = 3;
constexpr int kLastParameterRow = 41;
constexpr int kNoCode = -1;               // the parameter has no such frame

struct CalibrationParameter
{
    enum class Width { Byte, Word };

    int row = 0;
    const char *chineseLabel = "";   // UTF-8
    const char *englishLabel = "";
    uint16_t baseAddress = 0;
    bool perPoint = false;           // once per frequency point, else single
    Width width = Width::Byte;
    int maximum = 255;               // the range is 0..maximum
    int startCode = kNoCode;         // "CT" code "U"
    int setCode = kNoCode;           // "CD" code value
    int measureCode = kNoCode;       // measure and latch frames

    int byteWidth() const { return width == Width::Word ? 2 : 1; }
    // The address of the value at point 0..4; single values ignore the point.
    // -1 for a point outside 0..4.
    int address(int point) const;
    QString label(bool chinese) const;
    // Decimal digits of the largest value: 3 for 0..255, 2 for 0..63, 5 for words.
    int digits() const;
};

namespace CalibrationParameters {
// Rows 3..41 in order.
const QList<CalibrationParameter> &all();
// The parameter of a table row, or nullptr for a row outside 3..41.
const CalibrationParameter *forRow(int row);
}
