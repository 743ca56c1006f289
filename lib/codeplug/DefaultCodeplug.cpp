#include "codeplug/CPcSoftwareDoc.h"

#include "app/AppSettings.h"

namespace {

constexpr int kDefaultTableOffset = 0x4580;

// The 64 three-byte entries the radio expects at 0x4580, written with every
// new codeplug and again before every write to the radio.
const char *const kDefaultTable[64] = {
    "775F57", "777557", "75DD57", "75F757", "7D5755", "7D7D55", "7FD555", "7FFF55",
    "5F555F", "5F7F5F", "5DD75F", "5DFD5F", "555D5D", "55775D", "57DF5D", "57F55D",
    "D75D77", "D77777", "D5DF77", "D5F577", "DD5575", "DD7F75", "DFD775", "DFFD75",
    "FF577F", "FF7D7F", "FDD57F", "FDFF7F", "F55F7D", "F5757D", "F7DD7D", "F7F77D",
    "F755D7", "F77FD7", "F5D7D7", "F5FDD7", "FD5DD5", "FD77D5", "FFDFD5", "FFF5D5",
    "DF5FDF", "DF75DF", "DDDDDF", "DDF7DF", "D557DD", "D57DDD", "D7D5DD", "D7FFDD",
    "5757F7", "577DF7", "55D5F7", "55FFF7", "5D5FF5", "5D75F5", "5FDDF5", "5FF7F5",
    "7F5DFF", "7F77FF", "7DDFFF", "7DF5FF", "7555FD", "757FFD", "77D7FD", "77FDFD",
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}

void CPcSoftwareDoc::WriteDefaultTable64()
{
    for (int n = 0; n < 64; ++n) {
        for (int j = 0; j < 6; ++j) {
            const int digit = hexDigit(kDefaultTable[n][j]);
            if (digit < 0)
                break;
            uint8_t &byte = image()[kDefaultTableOffset + 3 * n + j / 2];
            byte = (j % 2 == 0) ? uint8_t((byte & 0x0F) | (digit << 4)) : uint8_t((byte & 0xF0) | digit);
        }
    }
}

void CPcSoftwareDoc::BuildDefaultCodeplug()
{
    SetModel(m_settings.modelName());
    SetLastProgramTime(QStringLiteral("20140720070707"));
    SetPcSoftwareVersion(QStringLiteral("0119"));
    SetHardwareVersion(QStringLiteral("0100"));
    SetSerialNumber(QStringLiteral("012345678901234"));
    const uint8_t marker[] = {0x55, 0xAA, 0x55, 0xAA};
    std::copy(std::begin(marker), std::end(marker), image() + 0x37);
    WriteDefaultTable64();
    applySectionDefaults();
}
