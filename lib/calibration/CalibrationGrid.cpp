#include "calibration/CalibrationGrid.h"

namespace {

// The frequency point a cell shows, or -1 when the cell holds no value
// (fixed cells, columns 6..8, and the other columns of a single row).
int pointOfCell(int row, int column)
{
    if (row < CalibrationGrid::kReceiveRow || row >= CalibrationGrid::kRowCount)
        return -1;
    if (column < 1 || column > kFrequencyPointCount)
        return -1;
    const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
    if (parameter && !parameter->perPoint && column != CalibrationGrid::kSingleColumn)
        return -1;
    return column - 1;
}

CalibrationImage::Direction directionOf(int row)
{
    return row == CalibrationGrid::kReceiveRow ? CalibrationImage::Direction::Receive
                                               : CalibrationImage::Direction::Transmit;
}

bool isFrequencyRow(int row)
{
    return row == CalibrationGrid::kReceiveRow || row == CalibrationGrid::kTransmitRow;
}

}

QString CalibrationGrid::cornerText(bool chinese)
{
    return chinese ? QString::fromUtf8("调测项") : QStringLiteral("Item");
}

QString CalibrationGrid::columnHeader(int column, bool chinese)
{
    if (column < 1 || column >= kColumnCount)
        return {};
    return (chinese ? QString::fromUtf8("频点%1") : QStringLiteral("Freq %1")).arg(column);
}

QString CalibrationGrid::rowLabel(int row, bool chinese)
{
    if (row == kReceiveRow)
        return chinese ? QString::fromUtf8("接收频率") : QStringLiteral("Rx Frequency");
    if (row == kTransmitRow)
        return chinese ? QString::fromUtf8("发射频率") : QStringLiteral("Tx Frequency");
    const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
    return parameter ? parameter->label(chinese) : QString();
}

bool CalibrationGrid::isEditable(int row, int column, qint32 upperBandLimit)
{
    if (pointOfCell(row, column) < 0)
        return false;
    if ((row == 4 || row == 5) && upperBandLimit <= 20000000)
        return false;
    return true;
}

QString CalibrationGrid::cellText(const CalibrationImage &image, int row, int column)
{
    const int point = pointOfCell(row, column);
    if (point < 0)
        return {};
    if (isFrequencyRow(row))
        return image.frequencyText(point, directionOf(row));
    return QString::number(image.value(row, point));
}

bool CalibrationGrid::setCellValue(CalibrationImage &image, int row, int column, int value)
{
    const int point = pointOfCell(row, column);
    return point >= 0 && !isFrequencyRow(row) && image.setValue(row, point, value);
}

bool CalibrationGrid::setFrequencyText(CalibrationImage &image, int row, int column, const QString &text)
{
    const int point = pointOfCell(row, column);
    return point >= 0 && isFrequencyRow(row) && image.setFrequencyText(point, directionOf(row), text);
}

CalibrationGrid::EditRange CalibrationGrid::editRange(int row)
{
    const CalibrationParameter *parameter = CalibrationParameters::forRow(row);
    if (!parameter)
        return {};
    return {parameter->maximum, parameter->digits()};
}
