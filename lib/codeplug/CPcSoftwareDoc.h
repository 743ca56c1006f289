#pragma once

#include "app/FileStamp.h"
#include "codeplug/Image.h"

#include <QString>
#include <QStringList>
#include <memory>

class AppSettings;
class Prompter;

// The one codeplug document: the file header, the current image every editor
// works on, the baseline image the modified test compares with, the fallback
// image a foreign data file is replaced by, and the band limits of the
// selected frequency range. Images are held by value in one heap block.
class CPcSoftwareDoc
{
public:
    explicit CPcSoftwareDoc(AppSettings &settings);
    ~CPcSoftwareDoc();
    CPcSoftwareDoc(const CPcSoftwareDoc &) = delete;
    CPcSoftwareDoc &operator=(const CPcSoftwareDoc &) = delete;

    AppSettings &settings() const { return m_settings; }

    uint8_t *image() { return m_images->current.data(); }
    const uint8_t *image() const { return m_images->current.data(); }
    Image &currentImage() { return m_images->current; }
    const Image &currentImage() const { return m_images->current; }
    Image &baselineImage() { return m_images->baseline; }
    const Image &baselineImage() const { return m_images->baseline; }
    Image &fallbackImage() { return m_images->fallback; }
    FileHeader &header() { return m_images->header; }
    const FileHeader &header() const { return m_images->header; }

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString &path) { m_filePath = path; }
    // The size of the .dat file the codeplug was loaded from; -1 when it was
    // not loaded from a file (new, or replaced by a radio read).
    qint64 loadedFileSize() const { return m_loadedFileSize; }
    void setLoadedFileSize(qint64 size) { m_loadedFileSize = size; }
    // The file as it was on disk when the codeplug was loaded from it or last
    // saved to it; a save compares it to tell a change by someone else.
    const FileStamp &diskStamp() const { return m_diskStamp; }
    void setDiskStamp(const FileStamp &stamp) { m_diskStamp = stamp; }
    // Loaded from a file that was cut short or too long: the codeplug may
    // miss bytes, so writing it to a radio needs the user's consent.
    bool loadedFromOddSizedFile() const;
    // The blocks the last radio read did not bring back intact (another
    // address, or a damaged block); 0 when the codeplug was fully read or
    // not read at all. Writing such a codeplug needs the user's consent.
    int unreadBlocks() const { return m_unreadBlocks; }
    void setUnreadBlocks(int count) { m_unreadBlocks = count; }

    // Fills header and all three images with 0xFF and writes the header text;
    // forgets the loaded file's size.
    void DeleteContents();
    // The new-document step. With firstNew set: clears it, builds the default
    // codeplug of range 6 and takes it as the baseline. Otherwise asks
    // "IDS_WARN_CLEAR" and on OK rebuilds the default codeplug and names the
    // document "default1". Returns true in both cases.
    bool OnNewDocument(bool &firstNew, Prompter &prompter);
    // Modified = the section area of the current image differs from the baseline.
    bool IsModified() const;
    // Takes the current image as the baseline (after a load or a save).
    void TakeBaseline();

    // Frequency ranges of setting.ini [FreqRange].
    int FindFreqRangeIndex() const;
    void LoadFreqRange(int n);
    void UpdateBandLimits();
    QString GetFreqLimitText(int which) const;
    int CheckFreqInRange(const QString &text) const;
    qint32 lowerBandLimit() const { return m_lowerLimit; }
    qint32 upperBandLimit() const { return m_upperLimit; }
    // The labels of the range list; for RQ381S only the label of entry 6.
    QStringList FreqRangeLabels() const;
    // The range list's entries in list order: each entry's number, label and
    // whether its band can be applied (an unusable "dataN" cannot).
    struct FreqRangeChoice
    {
        int entry = 0;
        QString label;
        bool usable = false;
    };
    QList<FreqRangeChoice> FreqRangeChoices() const;
    // The list position of the codeplug's band, or -1 when that is no
    // usable entry of the list: an unusable entry is never the current band.
    int CurrentFreqRangeChoice() const;

    // Default codeplug.
    void BuildDefaultCodeplug();
    void WriteDefaultTable64();

    // Radio information fields.
    QString GetModel() const;
    void SetModel(const QString &text);
    int GetRangeIndex() const { return image()[0x08]; }
    QString GetLastProgramTime() const;         // up to 14 digits
    void SetLastProgramTime(const QString &text);
    QString GetPcSoftwareVersion() const;       // up to 4 digits
    void SetPcSoftwareVersion(const QString &text);
    QString GetHardwareVersion() const;
    void SetHardwareVersion(const QString &text);
    QString GetSerialNumber() const;
    void SetSerialNumber(const QString &text);

private:
    struct Images
    {
        FileHeader header;
        Image baseline;
        Image current;
        Image fallback;
    };

    // The factory values of every section, in the order the radio expects.
    void applySectionDefaults();
    QString readVersionDigits(int offset) const;
    void writeVersionDigits(int offset, const QString &text);
    QString readAsciiField(int offset, int width) const;
    void writeAsciiField(int offset, int width, const QString &text);

    AppSettings &m_settings;
    std::unique_ptr<Images> m_images;
    qint32 m_upperLimit = 90000000;
    qint32 m_lowerLimit = 10000000;
    QString m_title;
    QString m_filePath;
    qint64 m_loadedFileSize = -1;
    FileStamp m_diskStamp;
    int m_unreadBlocks = 0;
};
