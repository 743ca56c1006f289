#pragma once

// Where the fields of a zone record and a channel record lie, for the
// channel accessor's files only.

#include "codeplug/Encodings.h"

namespace ChannelLayout {
// Zone record fields.
constexpr int kZoneBase = 0x0250;
constexpr int kZoneSlots = 0;
constexpr int kZoneChannelCount = 16;
constexpr int kZoneName = 17;
// Channel record fields.
constexpr int kChannelBase = 0x0140;
constexpr int kRxFrequency = 0;
constexpr int kTxFrequency = 4;
constexpr int kRxTone = 8;
constexpr int kTxTone = 10;
constexpr int kRxCoefficients = 12;
constexpr int kTxCoefficients = 16;
constexpr int kModeByte = 20;
constexpr int kRxColourCode = 21;
constexpr int kTxColourCode = 22;
constexpr int kRxGroupList = 23;
constexpr int kContact = 24;
constexpr int kSignallingByte = 25;
constexpr int kScanList = 26;
constexpr int kTypeByte = 27;
constexpr int kEncrypt = 28;
constexpr int kChannelName = 29;
constexpr int kPttOnline = 57;
constexpr int kPttOffline = 58;
constexpr int kDecodeSequence = 59;

constexpr int kNameBytes = NameField::kNameUnits * 2;
constexpr int kToneBytes = 2;
constexpr int kCoefficientBytes = 4;
constexpr int kFrequencyBytes = 4;

constexpr int kScanListBound = 16;
constexpr int kRxGroupBound = 16;
constexpr int kContactBound = 200;
constexpr int kEncryptBound = 16;
constexpr int kEncodeSequenceBound = 16;
constexpr int kDecodeSequenceBound = 6;
}
