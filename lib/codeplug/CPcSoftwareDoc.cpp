#include "codeplug/CPcSoftwareDoc.h"

#include "app/AppSettings.h"
#include "app/HexConvert.h"
#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "codeplug/FreqRangeCheck.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kModelOffset = 0x00;
constexpr int kModelWidth = 8;
constexpr int kRangeIndexOffset = 0x08;
constexpr int kBandBytesOffset = 0x09;
constexpr int kProgramTimeOffset = 0x30;
constexpr int kProgramTimeDigits = 14;
constexpr int kPcVersionOffset = 0x3B;
constexpr int kSerialOffset = 0x5D;
constexpr int kSerialWidth = 15;
constexpr int kHardwareVersionOffset = 0x6C;
constexpr int kVersionDigits = 4;
constexpr int kFreqRangeCount = 16;
constexpr int kTiedRangeIndex = 6;  // RQ381S is built for this range only

QString freqRangeData(const AppSettings &settings, int n, int bufferSize)
{
    return settings.setting(QStringLiteral("FreqRange"), QStringLiteral("data%1").arg(n), bufferSize);
}

// The band bytes an entry's "dataN" text packs into, or empty when the text
// is not a usable band. An unusable entry is passed over as an empty one is
// (it would give band limits of 0 Hz); the programs warn about it.
QByteArray bandBytesOf(const QString &data)
{
    if (!FreqRangeCheck::whyNotUsable(data).isEmpty())
        return {};
    return HexPack(data.left(8).toLatin1(), 4);
}

// The number written by four characters, read as decimal digits.
qint32 decimalOf(QChar a, QChar b, QChar c, QChar d)
{
    qint32 value = 0;
    for (QChar ch : {a, b, c, d}) {
        if (!ch.isDigit() || ch.unicode() > 127)
            break;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

}

CPcSoftwareDoc::CPcSoftwareDoc(AppSettings &settings)
    : m_settings(settings), m_images(std::make_unique<Images>())
{
    DeleteContents();
}

CPcSoftwareDoc::~CPcSoftwareDoc() = default;

void CPcSoftwareDoc::DeleteContents()
{
    m_images->header.fill(0xFF);
    m_images->baseline.fill(0xFF);
    m_images->current.fill(0xFF);
    m_images->fallback.fill(0xFF);
    std::memcpy(m_images->header.data(), kHeaderText, kHeaderTextLength);
    m_loadedFileSize = -1;
    m_diskStamp = FileStamp();
    m_unreadBlocks = 0;
}

bool CPcSoftwareDoc::loadedFromOddSizedFile() const
{
    return m_loadedFileSize >= 0 && m_loadedFileSize != kHeaderSize + kImageSize;
}

bool CPcSoftwareDoc::OnNewDocument(bool &firstNew, Prompter &prompter)
{
    if (firstNew) {
        firstNew = false;
        DeleteContents();
        LoadFreqRange(kTiedRangeIndex);
        TakeBaseline();
        return true;
    }
    const Prompt question{QStringLiteral("IDS_WARN_CLEAR"), QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                          Prompt::Buttons::OkCancel, {}};
    if (prompter.ask(question) == PromptAnswer::Ok) {
        DeleteContents();
        LoadFreqRange(kTiedRangeIndex);
        setTitle(QStringLiteral("default1"));
        setFilePath(QString());
    }
    return true;
}

bool CPcSoftwareDoc::IsModified() const
{
    return !std::equal(m_images->current.begin(), m_images->current.begin() + kSectionAreaSize,
                       m_images->baseline.begin());
}

void CPcSoftwareDoc::TakeBaseline()
{
    m_images->baseline = m_images->current;
}

int CPcSoftwareDoc::FindFreqRangeIndex() const
{
    int found = 0;
    for (int n = 0; n < kFreqRangeCount; ++n) {
        const QString data = freqRangeData(m_settings, n, 32);
        if (data.isEmpty())
            break;
        const QByteArray band = bandBytesOf(data);
        if (band.size() == 4 && std::memcmp(band.constData(), image() + kBandBytesOffset, 4) == 0)
            found = n;
    }
    return found;
}

void CPcSoftwareDoc::LoadFreqRange(int n)
{
    if (n >= 0 && n < kFreqRangeCount) {
        const QByteArray band = bandBytesOf(freqRangeData(m_settings, n, 32));
        if (band.size() == 4) {
            std::memcpy(image() + kBandBytesOffset, band.constData(), 4);
            image()[kRangeIndexOffset] = uint8_t(n);
        }
    }
    UpdateBandLimits();
    BuildDefaultCodeplug();
}

void CPcSoftwareDoc::UpdateBandLimits()
{
    const QString data = freqRangeData(m_settings, FindFreqRangeIndex(), 60);
    if (FreqRangeCheck::whyNotUsable(data).isEmpty()) {
        m_lowerLimit = decimalOf(data[1], data[2], data[3], data[0]) * 10000;
        m_upperLimit = decimalOf(data[5], data[6], data[7], data[4]) * 10000;
    } else {
        m_lowerLimit = 10000000;
        m_upperLimit = 90000000;
    }
}

QString CPcSoftwareDoc::GetFreqLimitText(int which) const
{
    return FrequencyBcd::unitsToText(which < 1 ? m_lowerLimit : m_upperLimit);
}

int CPcSoftwareDoc::CheckFreqInRange(const QString &text) const
{
    return FrequencyBcd::checkInBand(text, m_lowerLimit, m_upperLimit);
}

QStringList CPcSoftwareDoc::FreqRangeLabels() const
{
    QStringList labels;
    for (const FreqRangeChoice &choice : FreqRangeChoices())
        labels << choice.label;
    return labels;
}

QList<CPcSoftwareDoc::FreqRangeChoice> CPcSoftwareDoc::FreqRangeChoices() const
{
    QList<FreqRangeChoice> choices;
    const bool tied = m_settings.modelName() == QLatin1String("RQ381S");
    for (int n = 0; n < kFreqRangeCount; ++n) {
        if (tied && n != kTiedRangeIndex)
            continue;
        const QString label = m_settings.setting(QStringLiteral("FreqRange"), QStringLiteral("freq%1").arg(n), 30);
        if (label.isEmpty())
            break;
        choices.append({n, label, FreqRangeCheck::whyNotUsable(freqRangeData(m_settings, n, 32)).isEmpty()});
    }
    return choices;
}

int CPcSoftwareDoc::CurrentFreqRangeChoice() const
{
    const QList<FreqRangeChoice> choices = FreqRangeChoices();
    const bool tied = m_settings.modelName() == QLatin1String("RQ381S");
    // Band bytes that match no entry select entry 0, whose limits then apply.
    const int position = tied ? 0 : FindFreqRangeIndex();
    if (position >= choices.size() || !choices[position].usable)
        return -1;
    return position;
}

QString CPcSoftwareDoc::readAsciiField(int offset, int width) const
{
    const uint8_t *p = image() + offset;
    if (p[0] == 0xFF && p[1] == 0xFF)
        return QString();
    QByteArray bytes;
    for (int i = 0; i < width && p[i] != 0xFF; ++i)
        bytes.append(char(p[i]));
    return QString::fromLatin1(bytes);
}

void CPcSoftwareDoc::writeAsciiField(int offset, int width, const QString &text)
{
    uint8_t *p = image() + offset;
    std::fill(p, p + width, 0xFF);
    const QByteArray bytes = text.toLatin1();
    std::memcpy(p, bytes.constData(), std::min<qsizetype>(bytes.size(), width));
}

QString CPcSoftwareDoc::GetModel() const
{
    return readAsciiField(kModelOffset, kModelWidth);
}

void CPcSoftwareDoc::SetModel(const QString &text)
{
    writeAsciiField(kModelOffset, kModelWidth, text);
}

QString CPcSoftwareDoc::GetSerialNumber() const
{
    return readAsciiField(kSerialOffset, kSerialWidth);
}

void CPcSoftwareDoc::SetSerialNumber(const QString &text)
{
    writeAsciiField(kSerialOffset, kSerialWidth, text);
}

QString CPcSoftwareDoc::GetLastProgramTime() const
{
    QString digits;
    for (int i = 0; i < kProgramTimeDigits; ++i) {
        const uint8_t byte = image()[kProgramTimeOffset + i / 2];
        const int nibble = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        if (nibble > 9)
            break;
        digits += QChar('0' + nibble);
    }
    return digits;
}

void CPcSoftwareDoc::SetLastProgramTime(const QString &text)
{
    int i = 0;
    for (QChar ch : text) {
        if (i >= kProgramTimeDigits)
            break;
        if (!ch.isDigit() || ch.unicode() > 127)
            continue;
        uint8_t &byte = image()[kProgramTimeOffset + i / 2];
        const int digit = ch.unicode() - '0';
        byte = (i % 2 == 0) ? uint8_t((byte & 0x0F) | (digit << 4)) : uint8_t((byte & 0xF0) | digit);
        ++i;
    }
}

QString CPcSoftwareDoc::readVersionDigits(int offset) const
{
    QString digits;
    for (int i = 0; i < kVersionDigits && image()[offset + i] <= 9; ++i)
        digits += QChar('0' + image()[offset + i]);
    return digits;
}

void CPcSoftwareDoc::writeVersionDigits(int offset, const QString &text)
{
    for (int i = 0; i < kVersionDigits && i < text.size(); ++i) {
        if (!text[i].isDigit() || text[i].unicode() > 127)
            break;
        image()[offset + i] = uint8_t(text[i].unicode() - '0');
    }
}

QString CPcSoftwareDoc::GetPcSoftwareVersion() const
{
    return readVersionDigits(kPcVersionOffset);
}

void CPcSoftwareDoc::SetPcSoftwareVersion(const QString &text)
{
    writeVersionDigits(kPcVersionOffset, text);
}

QString CPcSoftwareDoc::GetHardwareVersion() const
{
    return readVersionDigits(kHardwareVersionOffset);
}

void CPcSoftwareDoc::SetHardwareVersion(const QString &text)
{
    writeVersionDigits(kHardwareVersionOffset, text);
}
