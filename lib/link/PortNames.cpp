#include "link/PortNames.h"

#include "app/AppSettings.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace {

// "/dev/ttyS10" sorts after "/dev/ttyS9": split off the trailing number.
bool naturalLess(const QString &a, const QString &b)
{
    auto split = [](const QString &s) {
        int i = s.size();
        while (i > 0 && s.at(i - 1).isDigit())
            --i;
        return std::make_pair(s.left(i), s.mid(i).isEmpty() ? -1 : s.mid(i).toInt());
    };
    return split(a) < split(b);
}

}

namespace PortNames {

QStringList systemPorts()
{
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    std::sort(ports.begin(), ports.end(), naturalLess);
    ports.removeDuplicates();
    return ports;
}

QString deviceFor(const AppSettings *settings, int n)
{
    if (n < kFirstPort || n > kLastPort)
        return QString();
    if (settings) {
        const QString mapped = settings->setting(QStringLiteral("ports"), QString::number(n)).trimmed();
        if (!mapped.isEmpty())
            return mapped;
    }
    const QStringList ports = systemPorts();
    return n <= ports.size() ? ports.at(n - 1) : QString();
}

bool isNumber(const QString &port, int *value)
{
    bool ok = false;
    const int n = port.trimmed().toInt(&ok, 10);
    if (ok && value)
        *value = n;
    return ok;
}

QString resolve(const AppSettings *settings, const QString &port)
{
    int n = 0;
    if (isNumber(port, &n))
        return deviceFor(settings, n);
    return port.trimmed();
}

QString whyNotAPort(const QString &port)
{
    const QString text = port.trimmed();
    if (text.isEmpty())
        return QStringLiteral("no port given");
    if (isNumber(text))
        return QString();
    static const QString kNumberCharacters = QStringLiteral("0123456789+-.,eE ");
    const bool numeric = std::all_of(text.begin(), text.end(), [](QChar c) { return kNumberCharacters.contains(c); });
    if (numeric && text.at(0) != QLatin1Char('e') && text.at(0) != QLatin1Char('E'))
        return QStringLiteral("port %1 is neither a port number %2..%3 nor a device path")
            .arg(text)
            .arg(kFirstPort)
            .arg(kLastPort);
    return QString();
}

QString describe(const AppSettings *settings, const QString &port)
{
    const QString text = port.trimmed();
    if (!isNumber(text))
        return text;
    const QString device = resolve(settings, text);
    return device.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, device);
}

QString storedPort(const AppSettings &settings)
{
    // A missing key means port 1; a key present but empty names no port.
    return settings.findSetting(QStringLiteral("setup"), QStringLiteral("com")).value_or(QStringLiteral("1")).trimmed();
}

}
