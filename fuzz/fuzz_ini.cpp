// Any bytes as setting.ini and as a language file: the settings the
// programs read at start, every band entry, and language lookups.

#include "FuzzSupport.h"

#include "app/IniFile.h"
#include "app/Language.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/FreqRangeCheck.h"
#include "link/PortNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = fuzz::bytes(data, size);
    static QTemporaryDir dir;
    const QString iniPath = QDir(dir.path()).filePath(QStringLiteral("setting.ini"));
    {
        QFile file(iniPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(content);
        static qint64 stamp = 0;
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++stamp), QFileDevice::FileModificationTime);
    }
    QFile::remove(QDir(dir.path()).filePath(QStringLiteral("english.lang")));
    QFile::copy(iniPath, QDir(dir.path()).filePath(QStringLiteral("english.lang")));

    AppSettings settings(dir.path());
    settings.load();
    settings.basicEditingEnabled();
    settings.calibrationInChinese();
    PortNames::storedPort(settings);
    PortNames::deviceFor(&settings, 3);
    IniFile::keys(iniPath, QStringLiteral("ports"));
    IniFile::readInt(iniPath, QStringLiteral("setup"), QStringLiteral("testmode"), 0);
    IniFile::readString(iniPath, QStringLiteral("setup"), QStringLiteral("com"), QString(), 2);
    FreqRangeCheck::unusableEntries(settings);
    for (int n = 0; n < FreqRangeCheck::kEntryCount; ++n)
        FreqRangeCheck::entryProblem(settings, n);

    // A new codeplug over these settings: band entries, model, ranges.
    CPcSoftwareDoc doc(settings);
    doc.LoadFreqRange(6);
    doc.FindFreqRangeIndex();
    doc.FreqRangeLabels();
    doc.GetFreqLimitText(0);

    const Language language(QDir(dir.path()).filePath(QStringLiteral("english.lang")));
    language.GetLangString(QStringLiteral("IDS_WARN"));
    language.GetLangText(QStringLiteral("MENU"), QStringLiteral("32783"));
    language.GetLangItem(QStringLiteral("Resource"), 141);
    language.GetLangList(QStringLiteral("Power"));
    return 0;
}
