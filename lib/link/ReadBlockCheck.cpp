#include "link/ReadBlockCheck.h"

#include "link/ProgrammingProtocol.h"

#include <algorithm>

namespace {

constexpr int kDataOffset = 4;
constexpr int kSumOffset = kDataOffset + Protocol::kBlockSize;

bool allOneValue(const uint8_t *data)
{
    return std::all_of(data, data + Protocol::kBlockSize, [data](uint8_t b) { return b == data[0]; });
}

}

uint8_t ReadBlockCheck::dataSum(const uint8_t *data)
{
    uint8_t sum = 0;
    for (int i = 0; i < Protocol::kBlockSize; ++i)
        sum = uint8_t(sum + data[i]);
    return sum;
}

ReadBlockCheck::Verdict ReadBlockCheck::judge(const uint8_t *reply, int address)
{
    if (reply[0] != Protocol::kWriteBlock || reply[1] != uint8_t(address >> 8) || reply[2] != uint8_t(address))
        return Verdict::WrongAddress;
    return reply[kSumOffset] == dataSum(reply + kDataOffset) ? Verdict::Good : Verdict::BadSum;
}

void BlockSumJudge::record(const uint8_t *reply, int address)
{
    const bool matches = reply[kSumOffset] == ReadBlockCheck::dataSum(reply + kDataOffset);
    if (!matches)
        m_badSums.append(address);
    if (allOneValue(reply + kDataOffset))
        return;
    ++(matches ? m_matched : m_mismatched);
}

bool BlockSumJudge::worthRepeating() const
{
    return m_mismatched < kEvidence || radioSendsSums();
}

QList<int> BlockSumJudge::damagedAddresses() const
{
    return radioSendsSums() ? m_badSums : QList<int>();
}
