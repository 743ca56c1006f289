#pragma once

#include <QList>
#include <cstdint>

// How a read-block reply (57, AH, AL, one byte, 64 data bytes, one byte) is
// judged, and what the read makes of the trailing byte.
//
// The trailing byte is the 8-bit sum of the 64 data bytes on the radios we
// know and in the simulator, but nothing promises it for every radio. So the
// sums are trusted only when the read itself shows that the radio sends
// them: a radio whose trailing byte means something else must never have
// every block refused. Blocks whose data are all one byte value say nothing
// either way (a constant trailing byte can match them by chance).
namespace ReadBlockCheck {

enum class Verdict {
    Good,          // the header names the block asked for and the sum matches
    WrongAddress,  // the header names another block (or is no block header)
    BadSum,        // the header is right, the trailing byte is not the data's sum
};

constexpr int kRepeats = 2;  // a bad reply is asked for again at most this often

uint8_t dataSum(const uint8_t *data);  // of the 64 data bytes
Verdict judge(const uint8_t *reply, int address);

}

// Collects the sum evidence of one read and decides, at its end, which
// blocks are damaged.
class BlockSumJudge
{
public:
    // Records the last reply taken for the block at address (its header
    // names that block).
    void record(const uint8_t *reply, int address);
    // Whether a block with a bad sum is worth asking for again: not once the
    // read has shown that the radio sends no sums.
    bool worthRepeating() const;
    // Whether the replies so far carried the data's sum.
    bool radioSendsSums() const { return m_matched > m_mismatched; }
    // The blocks whose sum did not match, when the radio sends sums;
    // otherwise none.
    QList<int> damagedAddresses() const;

private:
    static constexpr int kEvidence = 4;  // telling mismatches before repeats stop

    int m_matched = 0;     // telling blocks whose sum matched
    int m_mismatched = 0;  // telling blocks whose sum did not match
    QList<int> m_badSums;
};
