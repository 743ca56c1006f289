#include "calibration/AdjustItems.h"

#include <algorithm>
#include <vector>

namespace {

const QList<TransmitSignal> kSignals = {
    {0x01, "发射纯载波", "TX Carrier"},
    {0x02, "发射1200HZ 4FSK信号", "TX 1200HZ 4FSK"},
    {0x03, "发射100HZ方波信号", "TX 100HZ"},
    {0x04, "发射400HZ三角波信号", "TX 400HZ"},
    {0x05, "发射模拟单频信号", "TX Analog"},
    {0x06, "发射BER测试信号", "TX BER Test"},
};

const char kPointLetters[kFrequencyPointCount] = {'L', 'l', 'M', 'h', 'H'};
constexpr int kSinglePoint = 2;  // CH3

ScrollBarSetup bar(int row, int setCode, int maximum, const char *chinese = "", const char *english = "")
{
    return ScrollBarSetup{true, true, row, setCode, maximum, chinese, english};
}

const ScrollBarSetup kHidden{};

// A run of items that share everything but the frequency point. Single
// items are runs of one and carry no "(CHn)" suffix.
struct Family
{
    int first;
    int last;
    const char *chinese;
    const char *english;
    int startCode;
    bool wide;
    int signal;             // kNoCode for receive items
    QList<int> rows;
    ScrollBarSet deviation;
    ScrollBarSet balance;   // first bar invisible when the family has none
    bool perPoint() const { return last > first; }
};

constexpr int N = kNoCode;

ScrollBarSet one(const ScrollBarSetup &first)
{
    return {first, kHidden, kHidden};
}

const std::vector<Family> &families()
{
    static const std::vector<Family> table = {
        {0, 0, "频率调整1", "Freq Adjust 1", 0x01, false, 0x01, {3}, one(bar(3, 0x01, 255)), {}},
        {1, 1, "频率调整2K5", "Freq Adjust 2K5", 0x01, true, 0x01, {4}, one(bar(4, 0x01, 255)), {}},
        {102, 102, "频率调整3K125", "Freq Adjust 3K125", 0x24, false, 0x01, {5}, one(bar(5, 0x24, 255)), {}},
        {2, 6, "高功率", "High Power", 0x02, false, 0x01, {6}, one(bar(6, 0x02, 255)), {}},
        {7, 11, "中功率", "Middle Power", 0x03, false, 0x01, {7}, one(bar(7, 0x03, 255)), {}},
        {12, 16, "低功率", "Low Power", 0x04, false, 0x01, {8}, one(bar(8, 0x04, 255)), {}},
        {17, 21, "数字调制(频偏和平衡)", "Digital Modulate(Mod1 and Mod2)", 0x05, false, 0x06, {9, 10, 11, 12, 13},
         {bar(9, 0x05, 63, "数字VCO调制1", "VCO 1"), bar(10, 0x06, 65535, "数字VCO调制2", "VCO 2"),
          bar(13, 0x09, 65535, "数字调制增益", "Digital Modulate Plus")},
         {bar(11, 0x07, 63, "数字TCXO调制1", "TCXO 1"), bar(12, 0x08, 65535, "数字TCXO调制2", "TCXO 2"),
          bar(10, 0x06, 65535, "数字VCO调制2", "VCO 2")}},
        {22, 26, "数字MIC灵敏度", "Digital MIC", 0x0A, false, 0x06, {14}, one(bar(14, 0x0A, 63)), {}},
        {27, 31, "模拟最大音频频偏", "Max Volume", 0x0B, false, 0x06, {15}, one(bar(15, 0x0B, 65535)), {}},
        {32, 36, "模拟调制灵敏度", "Analog Modulate", 0x0C, false, 0x06, {16, 17},
         {bar(16, 0x0C, 63, "模拟MIC增益粗调", "Analog MIC Plus Thick"),
          bar(17, 0x0D, 65535, "模拟MIC增益细调", "Analog MIC Plus Thin"), kHidden},
         {}},
        {37, 41, "CTCSS(67Hz)频偏", "CTCSS(67Hz)", 0x11, false, 0x06, {18}, one(bar(18, 0x11, 65535)), {}},
        {42, 46, "CTCSS(130Hz)频偏", "CTCSS(130Hz)", 0x12, false, 0x06, {19}, one(bar(19, 0x12, 65535)), {}},
        {47, 51, "CTCSS(254.1Hz)频偏", "CTCSS(254.1Hz)", 0x13, false, 0x06, {20}, one(bar(20, 0x13, 65535)), {}},
        {52, 56, "DCS频偏和平衡", "DCS Mod1 and Mod2", 0x16, false, 0x06, {21, 22, 23}, one(bar(23, 0x16, 65535)),
         {bar(21, 0x14, 65535, "DCS平衡1", "DCS Mod2 1"), bar(22, 0x15, 65535, "DCS平衡2", "DCS Mod2 2"), kHidden}},
        {57, 61, "模拟接收灵敏度", "Rx_Cal_TV", 0x17, false, N, {24}, one(bar(24, 0x17, 255)), {}},
        {62, 66, "模拟接收增益", "Analog Rx Plus", 0x19, false, N, {26}, one(bar(26, 0x19, 63)), {}},
        {67, 71, "9级打开静噪", "Open SQL 9 ", 0x1A, false, N, {27}, {}, {}},
        {72, 76, "9级关闭静噪", "Close SQL 9 ", 0x1B, false, N, {28}, {}, {}},
        {77, 81, "1级打开静噪", "Open SQL 1 ", 0x1C, false, N, {29}, {}, {}},
        {82, 86, "1级关闭静噪", "Close SQL 1 ", 0x1D, false, N, {30}, {}, {}},
        {87, 87, "VOX 一级开启电平", "VOX 1", 0x1E, false, N, {31}, {}, {}},
        {88, 88, "VOX 十级开启电平", "VOX 10", 0x1F, false, N, {32}, {}, {}},
        {89, 89, "RSSI 一级(-120dBm)", "RSSI 1(-120dBm)", 0x20, false, N, {33}, {}, {}},
        {90, 90, "RSSI 四级(-70dBm)", "RSSI 4(-70dBm)", 0x21, false, N, {34}, {}, {}},
        {91, 91, "接收低电压", "RX Low Volt", 0x22, false, N, {35}, {}, {}},
        {92, 96, "数字接收误码率", "Digital RX BER", 0x18, false, N, {25}, one(bar(25, 0x18, 63)), {}},
        {97, 101, "5音/DTMF", "5 Tone/DTMF", 0x23, false, 0x06, {41}, one(bar(41, 0x23, 255)), {}},
    };
    return table;
}

const Family &familyOf(int code)
{
    for (const Family &family : families()) {
        if (code >= family.first && code <= family.last)
            return family;
    }
    return families().front();
}

}

QString TransmitSignal::label(bool chinese) const
{
    return QString::fromUtf8(chinese ? this->chinese : english);
}

const QList<TransmitSignal> &TransmitSignals::all()
{
    return kSignals;
}

int wrapScrollPosition(int position, int step, int maximum)
{
    const int moved = position + (step < 0 ? -1 : 1);
    if (moved < 0)
        return maximum;
    if (moved > maximum)
        return 0;
    return moved;
}

QString ScrollBarSetup::caption(bool chinese) const
{
    return QString::fromUtf8(chinese ? chineseCaption : englishCaption);
}

AdjustItem::AdjustItem(int code) : m_code(code)
{
    const Family &f = familyOf(code);
    m_point = f.perPoint() ? code - f.first : kSinglePoint;
}

const AdjustItem *AdjustItem::forCode(int code)
{
    if (code < 0 || code >= kAdjustItemCount)
        return nullptr;
    // Built on first use; the constructor itself does not call forCode.
    static const std::vector<AdjustItem> all = [] {
        std::vector<AdjustItem> list;
        for (int c = 0; c < kAdjustItemCount; ++c)
            list.push_back(AdjustItem(c));
        return list;
    }();
    return &all[code];
}

QList<int> AdjustItem::listFor(qint32 upperBandLimit)
{
    QList<int> codes;
    const bool narrow = upperBandLimit <= kNarrowBandLimit;
    codes << 0;
    if (!narrow)
        codes << 1 << 102;
    for (int code = 2; code <= 101; ++code)
        codes << code;
    return codes;
}

QString AdjustItem::label(bool chinese) const
{
    const Family &f = familyOf(m_code);
    QString text = QString::fromUtf8(chinese ? f.chinese : f.english);
    if (f.perPoint())
        text += QStringLiteral("(CH%1)").arg(m_point + 1);
    return text;
}

int AdjustItem::startCode() const
{
    return familyOf(m_code).startCode;
}

char AdjustItem::pointLetter() const
{
    return kPointLetters[m_point];
}

bool AdjustItem::wideBand() const
{
    return familyOf(m_code).wide;
}

int AdjustItem::startSignal() const
{
    return familyOf(m_code).signal;
}

bool AdjustItem::showsTransmitControls() const
{
    return m_code <= 56 || m_code == 102;
}

int AdjustItem::defaultSignalIndex() const
{
    return (m_code >= 17 && m_code <= 101) ? TransmitSignals::kBerTest : TransmitSignals::kCarrier;
}

bool AdjustItem::hasBalanceSet() const
{
    return familyOf(m_code).balance[0].visible;
}

ScrollBarSet AdjustItem::scrollBars(bool balance) const
{
    const Family &f = familyOf(m_code);
    if (balance && hasBalanceSet())
        return f.balance;
    if (isMeasured() && !measuresBitErrorRate()) {
        // The radio measures these; the bar only shows the stored value.
        const CalibrationParameter *parameter = CalibrationParameters::forRow(f.rows.first());
        ScrollBarSetup shown{true, false, parameter->row, kNoCode, parameter->maximum, "", ""};
        return {shown, kHidden, kHidden};
    }
    return f.deviation;
}

QList<int> AdjustItem::rows() const
{
    return familyOf(m_code).rows;
}

int AdjustItem::measureCode() const
{
    return isMeasured() ? familyOf(m_code).startCode : kNoCode;
}

int AdjustItem::latchRow() const
{
    return (isMeasured() && !measuresBitErrorRate()) ? familyOf(m_code).rows.first() : 0;
}

bool AdjustItem::storeMeasurement(CalibrationImage &image, quint32 value) const
{
    const CalibrationParameter *parameter = CalibrationParameters::forRow(latchRow());
    if (!parameter)
        return false;
    return image.setValue(*parameter, m_point, int(qMin<quint32>(value, quint32(parameter->maximum))));
}

bool AdjustItem::differs(const CalibrationImage &a, const CalibrationImage &b) const
{
    const QList<int> tuned = rows();
    return std::any_of(tuned.cbegin(), tuned.cend(), [&](int row) { return a.value(row, m_point) != b.value(row, m_point); });
}

QList<int> AdjustItem::unconfirmedItems(const CalibrationImage &tuned, const CalibrationImage &confirmed,
                                        const QList<int> &codes)
{
    QList<int> unconfirmed;
    for (int code : codes) {
        const AdjustItem *item = forCode(code);
        if (item && item->differs(tuned, confirmed))
            unconfirmed << code;
    }
    return unconfirmed;
}

QString AdjustItem::frequencyLabel(const CalibrationImage &image, CalibrationImage::Direction direction,
                                   bool chinese) const
{
    const bool receive = direction == CalibrationImage::Direction::Receive;
    QString prefix = chinese ? QString::fromUtf8(receive ? "接收频率: " : "发射频率: ")
                             : QString::fromLatin1(receive ? "RX Freq: " : "TX Freq: ");
    if (m_code == 1)
        return prefix + QStringLiteral("435.002500");
    if (m_code == 102)
        return prefix + QStringLiteral("446.003125");
    return prefix + image.frequencyDigits(m_point, direction);
}
