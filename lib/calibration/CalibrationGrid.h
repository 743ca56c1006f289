#pragma once

#include "calibration/CalibrationImage.h"

#include <QString>

// What the calibration table shows and lets the user edit: 42 rows by 9
// columns, row 0 and column 0 fixed. Rows 1 and 2 are the receive and
// transmit frequencies, rows 3..41 the parameters; columns 1..5 are the
// frequency points CH1..CH5, columns 6..8 are always read-only, and single
// parameters live in column 3.
namespace CalibrationGrid {

constexpr int kRowCount = 42;
constexpr int kColumnCount = 9;
constexpr int kReceiveRow = 1;
constexpr int kTransmitRow = 2;
constexpr int kSingleColumn = 3;
constexpr int kFrequencyTextLength = 10;   // the frequency edit takes at most this

QString cornerText(bool chinese);                 // "调测项" / "Item"
QString columnHeader(int column, bool chinese);   // "频点1" / "Freq 1" for columns 1..8
QString rowLabel(int row, bool chinese);          // rows 1..41; empty otherwise

// True for a cell that holds a value. Column 3 of rows 4 and 5 ("Frequency
// Adjust 2K5" and "3K125") is read-only when the band ends at or below 200 MHz.
bool isEditable(int row, int column, qint32 upperBandLimit);

// The decimal value or frequency text of a cell; empty for cells without a value.
QString cellText(const CalibrationImage &image, int row, int column);

// Stores a number into a parameter cell (bytes as one byte, words low byte
// first). Refused (false, nothing written) for cells without a value and for
// numbers outside the row's range.
bool setCellValue(CalibrationImage &image, int row, int column, int value);
// Stores a typed frequency into a cell of rows 1 and 2; an empty text erases it.
bool setFrequencyText(CalibrationImage &image, int row, int column, const QString &text);

// The range the number edit offers for a parameter row: 0..maximum with
// the given number of digits; maximum is -1 for rows without a number.
struct EditRange
{
    int maximum = -1;
    int digits = 0;
};
EditRange editRange(int row);

}
