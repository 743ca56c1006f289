#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

class CPcSoftwareDoc;

// The changes made to the image when a read or write of the radio starts.
namespace TransferPreparation {

// Offsets of the fields a transfer touches.
constexpr int kLastProgramTime = 0x0030;  // 7 bytes of BCD: century, year, month, day, hour, minute, second
constexpr int kRq381DisplayField = 0x8002;
constexpr int kTl809BasicField = 0x4C28;
constexpr int kTl809OptionField = 0x4660;  // bits 2..3 cleared
constexpr int kWriteOnlyBytes = 0x7100;    // FF FF FF 01 01

// Writes now as the 14 digits "yyyyMMddHHmmss" packed two a byte into
// image[0x30..0x36].
void stampProgramTime(uint8_t *image, const QDateTime &now);

// Time stamp plus the resets of the configured model: RQ381 zeroes 0x8002;
// TL809 zeroes 0x4C28 and clears bits 2..3 of 0x4660; other models keep
// their bytes. Used for both directions.
void prepareCommon(uint8_t *image, const QString &model, const QDateTime &now);

// Everything a write changes in the document: prepareCommon, the bytes
// 0x7100..0x7104 and the 64-entry default table.
void prepareWrite(CPcSoftwareDoc &doc, const QDateTime &now);

}
