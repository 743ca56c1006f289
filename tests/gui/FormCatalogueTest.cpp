// Every control a form binds to the field catalogue, on every model, against
// the YAML import (and for channels the channels CSV): whatever a user
// types, picks or ticks, the form stores the bytes the import stores for the
// same value, every value a control gives is one the import takes, and undo
// takes each step back exactly.

#include "FormDriver.h"

#include "fields/FieldCatalogue.h"
#include "sections/CSectionForm.h"
#include "fields/RecordMends.h"
#include "text/ChannelsCsv.h"
#include "text/YamlCodeplug.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <algorithm>
#include <set>
#include <gtest/gtest.h>

using namespace Fields;

namespace {

// The forms whose controls are bound to catalogue fields.
constexpr int kBoundForms[] = {3, 4, 5, 6, 7, 8, 10, 14, 15, 16, 19};

std::unique_ptr<CPcSoftwareDoc> copyOf(CPcSoftwareDoc &doc)
{
    auto copy = std::make_unique<CPcSoftwareDoc>(doc.settings());
    copy->header() = doc.header();
    copy->currentImage() = doc.currentImage();
    copy->UpdateBandLimits();
    return copy;
}

// The YAML text that sets one field of a one-record section, or of the
// first record of a list (the first channel of the first zone, which the
// channel form opens on): a list in the text replaces the whole list, so
// that is the whole export with the one value changed.
QByteArray yamlSetting(CPcSoftwareDoc &doc, const QString &record, const QString &key, const QString &value)
{
    const QString sectionKey = record.section(u'.', 0, 0);
    const auto section = std::find_if(schema().begin(), schema().end(), [&](const SectionSchema &s) { return s.key == sectionKey; });
    if (section != schema().end() && !section->list)
        return QStringLiteral("%1:\n  %2: %3\n").arg(record, key, value).toUtf8();
    QList<QByteArray> lines = YamlCodeplug::exportText(doc).split('\n');
    const QByteArray wanted = key.toUtf8() + ": ";
    for (qsizetype i = lines.indexOf(record.section(u'.', 0, 0).toUtf8() + ':'); i >= 0 && i < lines.size(); ++i) {
        const qsizetype at = lines[i].indexOf(wanted);
        if (at >= 0 && lines[i].left(at).trimmed().replace("- ", "").isEmpty()) {
            lines[i] = lines[i].left(at) + wanted + value.toUtf8();
            break;
        }
    }
    return lines.join('\n');
}

QString numberText(const Field &f, int units)
{
    return f.kind == Kind::Decimal ? decimalText(units, f.scale) : QString::number(units);
}

// What to type into a number edit, with the YAML value that means the
// same: both ends, one past the top, one off the raster, and the special
// value, which a user enters by emptying the field (negative numbers cannot
// be typed).
std::vector<std::pair<QString, QString>> typedValues(const Field &f)
{
    std::vector<std::pair<QString, QString>> values;
    for (int units : {f.min, f.max, f.max + 1})
        values.emplace_back(numberText(f, units), numberText(f, units));
    if (f.step > 1 && f.min + 1 < f.max)
        values.emplace_back(numberText(f, f.min + 1), numberText(f, f.min + 1));
    if (f.special)
        values.emplace_back(QString(), numberText(f, *f.special));
    return values;
}

std::string firstDifference(const Image &a, const Image &b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return QStringLiteral("at 0x%1 the import stores %2, the form %3:")
                .arg(i, 4, 16, QLatin1Char('0')).arg(a[i], 2, 16, QLatin1Char('0')).arg(b[i], 2, 16, QLatin1Char('0')).toStdString();
    }
    return {};
}

bool sectionOffered(const QString &recordPath, const CPcSoftwareDoc &doc)
{
    const QString key = recordPath.section(u'.', 0, 0);
    for (const SectionSchema &section : schema()) {
        if (section.key == key)
            return section.offered(doc);
    }
    return false;
}

struct Agreement
{
    GuiRig &rig;
    int checked = 0;

    // Drives the control with `drive`, and the import of `yamlValue` on a
    // copy of the codeplug as it was: both must leave the same bytes.
    void check(QWidget *control, const QString &yamlValue, const std::function<void()> &drive, const std::string &what)
    {
        const QString record = control->property("catalogueRecord").toString();
        const QString key = control->property("catalogueField").toString();
        auto viaYaml = copyOf(rig.doc());
        const YamlCodeplug::ImportReport report = YamlCodeplug::importText(yamlSetting(*viaYaml, record, key, yamlValue), *viaYaml);
        auto viaCsv = copyOf(rig.doc());
        const auto before = std::make_unique<Image>(rig.doc().currentImage());
        drive();
        ++checked;
        // Every value a control can give is one the import takes.
        ASSERT_TRUE(report.ok()) << what << ": " << report.errors.first().toString().toStdString();
        if (record == QLatin1String("zones.channels")) {
            // The channels sheet of what the form stored, read onto the codeplug
            // as it was (mended as its importers mend it), gives the same bytes.
            const ChannelsCsv::Report csv = ChannelsCsv::importText(ChannelsCsv::exportText(rig.doc()), *viaCsv);
            ASSERT_TRUE(csv.ok()) << what << ": " << csv.errors.join(u'\n').toStdString();
            Mends::mendChanged(*viaCsv, *before);
            EXPECT_TRUE(viaCsv->currentImage() == rig.doc().currentImage())
                << firstDifference(viaCsv->currentImage(), rig.doc().currentImage()) << " (channels CSV) " << what;
        }
        EXPECT_TRUE(viaYaml->currentImage() == rig.doc().currentImage())
            << firstDifference(viaYaml->currentImage(), rig.doc().currentImage()) << " " << what << " (" << record.toStdString() << "." << key.toStdString() << " = " << yamlValue.toStdString() << ")";
    }
};

}

TEST(FormCatalogue, EveryBoundControlStoresWhatTheYamlImportStoresAndUndoRestoresIt)
{
    int checked = 0;
    for (const char *model : {"RQ381", "RQ381S", "VK214", "TL809"}) {
        GuiRig rig(QString::fromLatin1(model));
        ASSERT_TRUE(rig.start());
        const auto start = imageCopy(rig);
        Agreement agree{rig};
        for (int code : kBoundForms) {
            CSectionForm *form = openForm(rig, code);
            if (!form)
                continue;  // a section the model lacks
            const auto controls = form->findChildren<QWidget *>();
            for (QWidget *control : controls) {
                const QString key = control->property("catalogueField").toString();
                if (key.isEmpty() || !control->isVisible() || !control->isEnabled())
                    continue;
                const QString recordPath = control->property("catalogueRecord").toString();
                if (!sectionOffered(recordPath, rig.doc()))
                    continue;  // a form the model's tree and menus do not offer
                const RecordSchema *record = recordSchema(recordPath);
                ASSERT_NE(record, nullptr);
                const Field &field = *findField(*record, key);
                const std::string what = std::string(model) + " form " + std::to_string(code) + " " + key.toStdString();
                if (auto *edit = qobject_cast<CNumberEdit *>(control)) {
                    for (const auto &[typed, value] : typedValues(field))
                        agree.check(edit, value, [&] { typeAndLeave(edit, typed); }, what + " typed " + typed.toStdString());
                } else if (auto *box = qobject_cast<QComboBox *>(control)) {
                    // Every entry of a short list; the ends and the middle of a long one.
                    std::set<int> indexes{0, box->count() / 2, box->count() - 1};
                    for (int index = 1; box->count() <= 20 && index < box->count(); ++index)
                        indexes.insert(index);
                    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
                        const int index = *it;
                        const int value = field.min + index;
                        const QString text = field.kind == Kind::Choice ? QLatin1Char('"') + field.choices.value(value) + QLatin1Char('"')
                                             : field.kind == Kind::Bool ? QString::fromLatin1(value ? "true" : "false")
                                             : field.kind == Kind::Ref && value == 0 ? QStringLiteral("null")
                                                                        : numberText(field, value);
                        agree.check(box, text, [&] { choose(box, index); }, what + " entry " + std::to_string(index));
                    }
                } else if (auto *text = qobject_cast<CTextEdit *>(control)) {
                    // Digit fields: the shortest, the longest and nothing.
                    const int longest = field.maxLength > 0 ? field.maxLength : 7;
                    for (const QString &value : {QStringLiteral("0"), QString(longest, u'9'), QString()})
                        agree.check(text, QLatin1Char('"') + value + QLatin1Char('"'), [&] { typeAndLeave(text, value); },
                                    what + " typed \"" + value.toStdString() + "\"");
                } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
                    const QString text = QString::fromLatin1(check->isChecked() ? "false" : "true");
                    agree.check(check, text, [&] { check->click(); }, what + " ticked");
                }
            }
        }
        checked += agree.checked;
        EXPECT_TRUE(undoAllRestores(rig, *start)) << model;
    }
    EXPECT_GT(checked, 400);
}
