#pragma once

#include <QString>
#include <QStringList>

class AppSettings;

// How a port given by the user becomes a device. A number 1..16 names the
// device of key n in the [ports] section of setting.ini ("3=/dev/ttyUSB0"),
// else the n-th serial device the system lists. Anything that is not a
// number is taken as a device path.
namespace PortNames {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 16;

// The serial devices of the system in a stable order (natural sort of paths).
QStringList systemPorts();

// The device of port number n; empty when n is outside 1..16 or names nothing.
QString deviceFor(const AppSettings *settings, int n);

// The device of a port text: a decimal number goes through deviceFor, any
// other non-empty text is a path and is returned as it is.
QString resolve(const AppSettings *settings, const QString &port);

// True when the text is a decimal number (the port is a number, not a path).
bool isNumber(const QString &port, int *value = nullptr);

// Empty when the text can name a port: a decimal number, or a device path.
// A text that looks like a number but is none ("1.5", "-2", a number too
// large for any port) gives the reason, instead of being taken as a path.
QString whyNotAPort(const QString &port);

// A port for messages: "3 (/dev/ttyUSB0)" for a number that names a
// device, else the text as given.
QString describe(const AppSettings *settings, const QString &port);

// [setup] com of setting.ini: the stored port, "1" when the key is absent.
QString storedPort(const AppSettings &settings);

}
