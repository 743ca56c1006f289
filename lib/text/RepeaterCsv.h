#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class CPcSoftwareDoc;

// Analog repeater lists in the CSV layout that repeater directories and
// common analog programming tools share:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,...
//
// Columns are found by name, so the older forms without RxDtcsCode,
// CrossMode or the digital-voice columns are read as well. Each row that
// the radio can work becomes an analog channel appended to the codeplug;
// the others are counted by the reason they were left out.
namespace RepeaterCsv {

// Whether a header row names the columns of this layout: at least
// Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,
// DtcsCode, DtcsPolarity and Mode, in any order and letter case.
bool recognisesHeader(const QStringList &header);
// The same for the first row of a CSV text.
bool recognises(const QByteArray &csv);

struct Options
{
    // The zone (by name) the channels are appended to; created when no zone
    // has the name. Empty: new zones after the existing ones.
    QString zone;
    // What new zones are named after (the file's base name): "Name",
    // "Name 2", ...; empty: "Zone %d" as the zone form names them.
    QString zoneBaseName;
};

struct Report
{
    QString error;               // nothing changed when set
    int added = 0;               // channels
    QStringList zones;           // the zones that received them, in order
    QMap<QString, int> skipped;  // reason -> rows
    QStringList warnings;        // values taken differently from the file ("row 4: ...")
    int namesCut = 0;            // names longer than a channel name holds
    int namesRenamed = 0;        // names another channel had, numbered
    bool ok() const { return error.isEmpty(); }

    // "added 5 channel(s) in 1 zone(s) (Repeaters)" and a line per skip reason.
    QStringList summary() const;
};

// Appends the rows as analog channels through the field catalogue. The rows
// fill the zone of Options::zone (rows past its 16 channels are counted),
// or new zones of up to 16 channels while the model has zone slots left.
// When no row can be taken, or the file cannot be read, the report holds
// the error and the document is exactly as it was.
Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options = {});

}
