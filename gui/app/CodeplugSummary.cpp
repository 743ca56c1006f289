#include "app/CodeplugSummary.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QStringList>

namespace CodeplugSummary {

namespace {

// Builds one HTML table; every cell text is escaped.
class Table
{
public:
    explicit Table(const QStringList &headings)
    {
        m_html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
        for (const QString &heading : headings)
            m_html += QStringLiteral("<th>%1</th>").arg(heading.toHtmlEscaped());
        m_html += QStringLiteral("</tr>");
    }
    void addRow(const QStringList &cells)
    {
        m_html += QStringLiteral("<tr>");
        for (const QString &cell : cells)
            m_html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        m_html += QStringLiteral("</tr>");
    }
    QString html() const { return m_html + QStringLiteral("</table>"); }

private:
    QString m_html;
};

class Builder
{
public:
    Builder(CPcSoftwareDoc &doc, const Language &language) : m_doc(doc), m_language(language) {}

    QString build()
    {
        radioInformation();
        channels();
        contacts();
        rxGroups();
        scanLists();
        return QStringLiteral("<html><body>") + m_html + QStringLiteral("</body></html>");
    }

private:
    // A control's label without its colon, the column heading of its field.
    QString label(int ctrlId) const
    {
        QString text = m_language.GetLangItem(QStringLiteral("Resource"), ctrlId).trimmed();
        while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A)))
            text.chop(1);
        return text;
    }
    QString item(const char *section, int index) const
    {
        const QString text = m_language.GetLangItem(QLatin1String(section), index);
        return text.isEmpty() ? QString::number(index) : text;
    }
    QString recordName(const QString &name, int number) const
    {
        return name.isEmpty() ? QString() : QStringLiteral("%1 %2").arg(number).arg(name);
    }
    void heading(const QString &text) { m_html += QStringLiteral("<h2>%1</h2>").arg(text.toHtmlEscaped()); }
    void sectionHeading(int code) { heading(m_language.GetLangItem(QStringLiteral("TreeMainMenu"), code)); }

    void radioInformation()
    {
        const AppSettings &settings = m_doc.settings();
        m_html += QStringLiteral("<h1>%1 %2</h1>")
                      .arg(settings.modelName().toHtmlEscaped(), m_doc.title().toHtmlEscaped());
        sectionHeading(1);
        Table table({label(1001), label(1003), label(1011)});
        table.addRow({QStringLiteral("%1 - %2 MHz").arg(m_doc.GetFreqLimitText(0), m_doc.GetFreqLimitText(1)),
                      m_doc.GetModel(), m_doc.GetSerialNumber()});
        m_html += table.html();
    }

    void channels()
    {
        const CChannelData data(m_doc);
        const CRxGroupData groups(m_doc);
        const CContactData contacts(m_doc);
        sectionHeading(6);
        using Dir = CChannelData::Direction;
        for (int zone = 1; zone <= data.CountZones(); ++zone) {
            m_html += QStringLiteral("<h3>%1 %2</h3>").arg(zone).arg(data.GetZoneName(zone).toHtmlEscaped());
            Table table({QStringLiteral("#"), label(1241), label(1205), label(1207), label(1213), label(1209),
                         label(1211), label(1215), label(1220), label(1222), label(1224), label(1226)});
            for (int channel = 1; channel <= data.CountChannels(zone); ++channel) {
                const int group = data.GetRxGroupList(zone, channel);
                const int contact = data.GetContact(zone, channel);
                table.addRow({QString::number(channel), data.GetChannelName(zone, channel),
                              data.GetFrequency(zone, channel, Dir::Receive),
                              data.GetFrequency(zone, channel, Dir::Transmit),
                              item("ChannelMode", data.GetChannelMode(zone, channel)),
                              data.GetTone(zone, channel, Dir::Receive), data.GetTone(zone, channel, Dir::Transmit),
                              item("Power", data.GetPower(zone, channel)),
                              QString::number(data.GetRxColourCode(zone, channel)),
                              QString::number(data.GetTxColourCode(zone, channel)),
                              recordName(groups.GetName(group), group), recordName(contacts.GetName(contact), contact)});
            }
            m_html += table.html();
        }
    }

    void contacts()
    {
        const CContactData data(m_doc);
        const qint32 startId = CBasicSettingData(m_doc).GetGroupCallStartIdValue();
        sectionHeading(11);
        Table table({item("GridContacts", 0), item("GridContacts", 1), item("GridContacts", 2), item("GridContacts", 3)});
        for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
            if (data.GetNumber(contact) == 0)
                continue;
            table.addRow({QString::number(contact), data.GetName(contact), data.GetCallId(contact),
                          item("ContactsType", data.GetContactType(contact, startId))});
        }
        m_html += table.html();
    }

    void rxGroups()
    {
        const CRxGroupData data(m_doc);
        const CContactData contacts(m_doc);
        sectionHeading(12);
        Table table({QStringLiteral("#"), label(1148), label(1144)});
        for (int list = 1; list <= data.CountLists(); ++list) {
            QStringList members;
            for (int member : data.GetMembers(list))
                members << contacts.GetName(member);
            table.addRow({QString::number(list), data.GetName(list), members.join(QStringLiteral(", "))});
        }
        m_html += table.html();
    }

    void scanLists()
    {
        const CScanData data(m_doc);
        const CChannelData channels(m_doc);
        sectionHeading(7);
        Table table({QStringLiteral("#"), label(1152), label(1150)});
        for (int list = 1; list <= data.CountLists(); ++list) {
            QStringList members;
            for (const ChannelRef &ref : data.GetMembers(list)) {
                members << QStringLiteral("%1:%2").arg(channels.GetZoneName(ref.zone),
                                                       channels.GetChannelName(ref.zone, ref.channel));
            }
            table.addRow({QString::number(list), data.GetName(list), members.join(QStringLiteral(", "))});
        }
        m_html += table.html();
    }

    CPcSoftwareDoc &m_doc;
    const Language &m_language;
    QString m_html;
};

}

QString html(CPcSoftwareDoc &doc, const Language &language)
{
    return Builder(doc, language).build();
}

}
