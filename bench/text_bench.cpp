// Times the codeplug's text formats on a full VK214 codeplug (16 zones of 16
// channels, 16 scan lists, 16 RX group lists, 200 contacts): the YAML export,
// the YAML import of that export onto the default codeplug, and the import of
// 200 contacts filtered from a 100,000-row DMR user-database CSV. Prints the
// median of each. Before those, it imports a 300,000-row user database from a
// file, as `rq381 contacts import` does, and prints its time and the peak
// memory of the process (which must stay under 100 MB).
//   text_bench [--rounds N] [--only export|import|contacts|database] [--config DIR]
//   (the configuration defaults to the folder of this program; --only runs one
//   measurement, for a profiler)

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "FullCodeplug.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "text/ContactsCsv.h"
#include "text/YamlCodeplug.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Ok; }
};

double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

std::unique_ptr<CPcSoftwareDoc> defaultCodeplug(AppSettings &settings)
{
    auto doc = std::make_unique<CPcSoftwareDoc>(settings);
    bool firstNew = true;
    SilentPrompter prompter;
    doc->OnNewDocument(firstNew, prompter);
    return doc;
}

// The peak resident memory of this process so far, in MB.
double peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

QByteArray userDatabaseRow(int i)
{
    // One row in 500 is from the country the filter keeps.
    const char *country = i % 500 == 0 ? "Iceland" : "United States";
    return QStringLiteral("%1,K%2,First,Last,City,State,%3\r\n").arg(3100000 + i).arg(i).arg(QLatin1String(country)).toUtf8();
}

// Writes the database to a file row by row, so that the file is never in
// this process's memory: the peak measured is the import's.
bool writeUserDatabase(const QString &path, int rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\r\n");
    for (int i = 0; i < rows; ++i)
        file.write(userDatabaseRow(i));
    return file.flush();
}

QByteArray userDatabase(int rows)
{
    QByteArray csv = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\r\n";
    csv.reserve(rows * 64);
    for (int i = 0; i < rows; ++i)
        csv += userDatabaseRow(i);
    return csv;
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int rounds = 15;
    QString configDir = QCoreApplication::applicationDirPath();
    QString only;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--config"))
            configDir = args[i + 1];
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1];
    }
    AppSettings settings(configDir);
    settings.load();
    if (!settings.settingsFileExists()) {
        std::fprintf(stderr, "text_bench: no setting.ini in %s\n", qPrintable(configDir));
        return 1;
    }
    settings.setModelName(QStringLiteral("VK214"));

    // First, while the process is still small, so its peak is the import's.
    if (only.isEmpty() || only == QLatin1String("database")) {
        constexpr int kDatabaseRows = 300000;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("users.csv"));
        if (!dir.isValid() || !writeUserDatabase(path, kDatabaseRows)) {
            std::fprintf(stderr, "text_bench: cannot write %s\n", qPrintable(path));
            return 1;
        }
        auto doc = defaultCodeplug(settings);
        const double before = peakMemoryMb();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QElapsedTimer timer;
        timer.start();
        const ContactsCsv::Report report = ContactsCsv::importFile(file, *doc, {true, QStringLiteral("Iceland"), -1});
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("user database:      %8.2f ms for %d contacts from %d rows (%lld bytes); peak memory %.1f MB "
                    "(%.1f MB before the import; target under 100 MB)\n",
                    ms, report.added, kDatabaseRows, static_cast<long long>(file.size()), peakMemoryMb(), before);
        if (only == QLatin1String("database"))
            return report.ok() ? 0 : 1;
    }

    auto full = defaultCodeplug(settings);
    SilentPrompter prompter;
    fillCodeplug(*full, prompter);

    const auto roundsOf = [&](const char *name, int n) { return only.isEmpty() || only == QLatin1String(name) ? n : 0; };
    std::vector<double> exportMs, importMs, contactsMs;
    QByteArray yaml;
    for (int r = 0; r < std::max(1, roundsOf("export", rounds)); ++r) {
        QElapsedTimer timer;
        timer.start();
        yaml = YamlCodeplug::exportText(*full);
        exportMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    for (int r = 0; r < roundsOf("import", rounds); ++r) {
        auto doc = defaultCodeplug(settings);
        QElapsedTimer timer;
        timer.start();
        const YamlCodeplug::ImportReport report = YamlCodeplug::importText(yaml, *doc);
        importMs.push_back(timer.nsecsElapsed() / 1e6);
        if (!report.ok()) {
            std::fprintf(stderr, "text_bench: the import failed: %s\n", qPrintable(report.errors.first().toString()));
            return 1;
        }
    }
    // The same text onto the codeplug it came from, as import --base reads
    // it (references following their records): nothing changes.
    std::vector<double> reimportMs;
    YamlCodeplug::ImportOptions based;
    based.followRecords = true;
    for (int r = 0; r < roundsOf("import", rounds); ++r) {
        QElapsedTimer timer;
        timer.start();
        YamlCodeplug::importText(yaml, *full, based);
        reimportMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const QByteArray csv = userDatabase(100000);
    int added = 0;
    for (int r = 0; r < roundsOf("contacts", std::max(3, rounds / 3)); ++r) {
        auto doc = defaultCodeplug(settings);
        QElapsedTimer timer;
        timer.start();
        const ContactsCsv::Report report = ContactsCsv::importText(csv, *doc, {true, QStringLiteral("Iceland"), -1});
        contactsMs.push_back(timer.nsecsElapsed() / 1e6);
        added = report.added;
    }
    std::printf("full VK214 codeplug: %lld bytes of YAML\n", static_cast<long long>(yaml.size()));
    std::printf("YAML export:        median %8.2f ms (target 20 ms)\n", medianMs(exportMs));
    std::printf("YAML import:        median %8.2f ms onto the default codeplug (target 20 ms)\n", medianMs(importMs));
    std::printf("                    median %8.2f ms onto the codeplug it came from\n", medianMs(reimportMs));
    std::printf("contacts CSV:       median %8.2f ms for %d contacts from 100,000 rows (%lld bytes; target 1000 ms)\n",
                medianMs(contactsMs), added, static_cast<long long>(csv.size()));
    return 0;
}
