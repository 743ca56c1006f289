#pragma once

#include "sections/ChannelData.h"

#include <QString>

class Prompter;

// The entry rules of the zone and channel form: names, frequencies, the
// channel mode with what it forces, and the colour code that follows a
// frequency. Each stores through the channel accessor and returns what the
// form shows afterwards.
class CChannelRules
{
public:
    using Direction = CChannelData::Direction;
    static constexpr int kAnalogMode = 2;
    static constexpr int kDigitalMode = 3;
    static constexpr int kAnalogBandwidth = 2;
    static constexpr int kOtherBandwidth = 3;
    static constexpr char kCompulsoryTone[] = "67.0";

    explicit CChannelRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    // An empty name is refused silently; a name that another zone already
    // has is refused with "IDS_EXIST_NAME". Returns whether the name was
    // stored; the form shows the stored name in every case.
    bool enterZoneName(int zone, const QString &text, Prompter &prompter);
    // The same for a channel, compared with every channel of every zone.
    bool enterChannelName(int zone, int channel, const QString &text, Prompter &prompter);

    // Stores a typed frequency: unchanged text does nothing, a text outside
    // the band becomes the nearer band limit, an empty text or one that
    // holds no number is not stored. Any changed text then sets the colour
    // code of that direction from the stored frequency. Returns the stored
    // frequency's text.
    QString enterFrequency(int zone, int channel, Direction dir, const QString &text);

    // Sets the colour code of one direction from its stored frequency.
    void updateColourCode(int zone, int channel, Direction dir);
    void updateColourCodes(int zone, int channel);

    // Stores a mode and what follows from it: the compulsory tones of the
    // mixed modes, the bandwidth of the mode and both colour codes.
    void setMode(int zone, int channel, int mode);
    // Modes below 2 need a tone in both directions: an unset tone becomes
    // 67.0. Returns whether a tone was written.
    bool applyCompulsoryTones(int zone, int channel);
    // Analog channels store bandwidth 2, every other mode 3.
    void applyModeBandwidth(int zone, int channel);
    // Whether a channel lacks what its mode asks for: a tone in both
    // directions in the mixed modes, and the mode's bandwidth.
    bool breaksModeRules(int zone, int channel) const;
    void applyModeRules(int zone, int channel);
    static int bandwidthForMode(int mode) { return mode == kAnalogMode ? kAnalogBandwidth : kOtherBandwidth; }

private:
    CPcSoftwareDoc &m_doc;
};
