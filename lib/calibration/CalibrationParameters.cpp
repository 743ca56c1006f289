#include "calibration/CalibrationParameters.h"

namespace {

using W = CalibrationParameter::Width;
constexpr bool P = true;   // one value per frequency point
constexpr bool S = false;  // a single value
constexpr int N = kNoCode;

const QList<CalibrationParameter> kParameters = {
    {3, "频率调整1", "Frequency Adjust 1", 0x0140, S, W::Byte, 255, 0x01, 0x01, N},
    {4, "频率调整2K5", "Frequency Adjust 2K5", 0x0141, S, W::Byte, 255, 0x01, 0x01, N},
    {5, "频率调整3K125", "Frequency Adjust 3K125", 0x01A1, S, W::Byte, 255, 0x24, 0x24, N},
    {6, "发射高功率", "High Power", 0x0142, P, W::Byte, 255, 0x02, 0x02, N},
    {7, "发射中功率", "Middle Power", 0x0147, P, W::Byte, 255, 0x03, 0x03, N},
    {8, "发射低功率", "Low Power", 0x014C, P, W::Byte, 255, 0x04, 0x04, N},
    {9, "数字VCO调制1", "VCO 1", 0x0151, P, W::Byte, 63, 0x05, 0x05, N},
    {10, "数字VCO调制2", "VCO 2", 0x0156, P, W::Word, 65535, 0x05, 0x06, N},
    {11, "数字TCXO调制1", "TCXO 1", 0x0160, P, W::Byte, 63, 0x05, 0x07, N},
    {12, "数字TCXO调制2", "TCXO 2", 0x0165, P, W::Word, 65535, 0x05, 0x08, N},
    {13, "数字调制增益", "Digital Modulate Plus", 0x016F, P, W::Word, 65535, 0x05, 0x09, N},
    {14, "数字MIC增益", "Digital MIC Plus", 0x0179, P, W::Byte, 63, 0x0A, 0x0A, N},
    {15, "模拟音频频偏", "Tone Mod1", 0x017E, P, W::Word, 65535, 0x0B, 0x0B, N},
    {16, "模拟MIC增益粗调", "Analog MIC Plus Thick", 0x018C, P, W::Byte, 63, 0x0C, 0x0C, N},
    {17, "模拟MIC增益细调", "Analog MIC Plus Thin", 0x0193, P, W::Word, 65535, 0x0C, 0x0D, N},
    {18, "CTCSS(67Hz)频偏", "CTCSS(67Hz)", 0x01BB, P, W::Word, 65535, 0x11, 0x11, N},
    {19, "CTCSS(130Hz)频偏", "CTCSS(130Hz)", 0x01C9, P, W::Word, 65535, 0x12, 0x12, N},
    {20, "CTCSS(254.1Hz)频偏", "CTCSS(254.1Hz)", 0x01D7, P, W::Word, 65535, 0x13, 0x13, N},
    {21, "DCS平衡1", "DCS Mod2 1", 0x01E5, P, W::Word, 65535, 0x16, 0x14, N},
    {22, "DCS平衡2", "DCS Mod2 2", 0x01F3, P, W::Word, 65535, 0x16, 0x15, N},
    {23, "DCS频偏", "DCS Mod1", 0x0201, P, W::Word, 65535, 0x16, 0x16, N},
    {24, "模拟接收灵敏度", "Rx_Cal_TV", 0x020F, P, W::Byte, 255, 0x17, 0x17, N},
    {25, "数字接收增益", "Digital Rx Plus", 0x0214, P, W::Byte, 63, 0x18, 0x18, 0x18},
    {26, "模拟接收增益", "Analog Rx Plus", 0x0223, P, W::Byte, 63, 0x19, 0x19, N},
    {27, "第9级打开静噪电平", "9_Noise_Open", 0x022A, P, W::Byte, 255, 0x1A, N, 0x1A},
    {28, "第9级关闭静噪电平", "9_Noise_Close", 0x0234, P, W::Byte, 255, 0x1B, N, 0x1B},
    {29, "第1级打开静噪电平", "1_Noise_Open", 0x023E, P, W::Byte, 255, 0x1C, N, 0x1C},
    {30, "第1级关闭静噪电平", "1_Noise_Close", 0x0248, P, W::Byte, 255, 0x1D, N, 0x1D},
    {31, "VOX 一级开启电平", "VOX 1", 0x0252, S, W::Word, 32767, 0x1E, N, 0x1E},
    {32, "VOX 十级开启电平", "VOX 10", 0x0254, S, W::Word, 32767, 0x1F, N, 0x1F},
    {33, "RSSI 一级(-120dBm)", "RSSI 1(-120dBm)", 0x0256, S, W::Byte, 255, 0x20, N, 0x20},
    {34, "RSSI 四级(-70dBm)", "RSSI 4(-70dBm)", 0x0257, S, W::Byte, 255, 0x21, N, 0x21},
    {35, "接收低电压", "Rx Low Volt", 0x0258, S, W::Byte, 255, 0x22, N, 0x22},
    {36, "MIC输入直流偏置", "MIC Input Direct", 0x0259, S, W::Word, 32767, N, N, N},
    {37, "接收输入直流偏置", "Rx Input Direct", 0x025B, S, W::Word, 32767, N, N, N},
    {38, "VCO调制直流偏置", "VCO Modulate", 0x025D, S, W::Word, 32767, N, N, N},
    {39, "TCXO调制直流偏置", "TCXO Modulate", 0x025F, S, W::Word, 32767, N, N, N},
    {40, "模拟最大音量设置", "Max Volume", 0x0261, S, W::Word, 65535, N, N, N},
    {41, "5音/DTMF频偏", "5 Tone/DTMF Mod1", 0x0269, P, W::Byte, 255, 0x23, 0x23, N},
};

}

int CalibrationParameter::address(int point) const
{
    if (point < 0 || point >= kFrequencyPointCount)
        return -1;
    return perPoint ? baseAddress + point * byteWidth() : baseAddress;
}

QString CalibrationParameter::label(bool chinese) const
{
    return QString::fromUtf8(chinese ? chineseLabel : englishLabel);
}

int CalibrationParameter::digits() const
{
    return int(QString::number(maximum).size());
}

const QList<CalibrationParameter> &CalibrationParameters::all()
{
    return kParameters;
}

const CalibrationParameter *CalibrationParameters::forRow(int row)
{
    if (row < kFirstParameterRow || row > kLastParameterRow)
        return nullptr;
    return &kParameters[row - kFirstParameterRow];
}
