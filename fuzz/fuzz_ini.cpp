// Any bytes as setting.ini and as a language file: the settings the
// programs read at start, every band entry, and language lookups.

#include "FuzzSupport.h"

#include "app/IniFile.h"
#include "app/Language.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/FreqRangeCheck.h"
#include "link/PortNames.h"

namespace {

// Writes the input as a file of the folder with a time stamp of its own, far
// enough in the past that the INI cache parses it once and trusts it after.
void writeInput(const QString &path, const QByteArray &content, qint64 stamp)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(content);
    file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + stamp), QFileDevice::FileModificationTime);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = fuzz::bytes(data, size);
    static QTemporaryDir dir;
    static qint64 stamp = 0;
    ++stamp;
    const QString iniPath = QDir(dir.path()).filePath(QStringLiteral("setting.ini"));
    const QString langPath = QDir(dir.path()).filePath(QStringLiteral("english.lang"));
    writeInput(iniPath, content, stamp);
    writeInput(langPath, content, stamp);

    AppSettings settings(dir.path());
    settings.load();
    settings.basicEditingEnabled();
    settings.calibrationInChinese();
    PortNames::storedPort(settings);
    // A port the input maps to a device. An unmapped one would be looked up
    // in the system's own device list, which does not depend on the input and
    // costs more than everything else here together.
    if (!settings.setting(QStringLiteral("ports"), QStringLiteral("3")).trimmed().isEmpty())
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

    const Language language(langPath);
    language.GetLangString(QStringLiteral("IDS_WARN"));
    language.GetLangText(QStringLiteral("MENU"), QStringLiteral("32783"));
    language.GetLangItem(QStringLiteral("Resource"), 141);
    language.GetLangList(QStringLiteral("Power"));
    return 0;
}
