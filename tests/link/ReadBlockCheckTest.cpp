#include "link/ReadBlockCheck.h"
#include "link/TransferJob.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A read-block reply for address with data bytes from fill(i) and the given
// trailing byte (the data's sum unless told otherwise).
std::vector<uint8_t> reply(int address, uint8_t (*fill)(int), int trailing = -1)
{
    std::vector<uint8_t> r(69, 0);
    r[0] = 0x57;
    r[1] = uint8_t(address >> 8);
    r[2] = uint8_t(address);
    r[3] = 0x40;
    for (int i = 0; i < 64; ++i)
        r[4 + i] = fill(i);
    r[68] = trailing >= 0 ? uint8_t(trailing) : ReadBlockCheck::dataSum(r.data() + 4);
    return r;
}

uint8_t varied(int i) { return uint8_t(i * 7 + 3); }
uint8_t erased(int) { return 0xFF; }

}

TEST(ReadBlockCheck, JudgesHeaderThenSum)
{
    using V = ReadBlockCheck::Verdict;
    const std::vector<uint8_t> good = reply(0x1240, varied);
    EXPECT_EQ(ReadBlockCheck::judge(good.data(), 0x1240), V::Good);
    EXPECT_EQ(ReadBlockCheck::judge(good.data(), 0x1280), V::WrongAddress);
    std::vector<uint8_t> noBlock = good;
    noBlock[0] = 0x47;
    EXPECT_EQ(ReadBlockCheck::judge(noBlock.data(), 0x1240), V::WrongAddress);
    std::vector<uint8_t> flipped = good;
    flipped[4 + 10] ^= 0x5A;
    EXPECT_EQ(ReadBlockCheck::judge(flipped.data(), 0x1240), V::BadSum);
    // 64 bytes of FF sum to 0xC0 in eight bits.
    EXPECT_EQ(reply(0, erased)[68], 0xC0);
}

TEST(ReadBlockCheck, ARadioThatSendsSumsHasItsBadBlocksCountedDamaged)
{
    BlockSumJudge sums;
    for (int a = 0; a < 0x1000; a += 64)
        sums.record(reply(a, varied).data(), a);
    sums.record(reply(0x1000, varied, 0x00).data(), 0x1000);
    sums.record(reply(0x1040, erased, 0x00).data(), 0x1040);  // uniform data: damaged, but no evidence
    EXPECT_TRUE(sums.radioSendsSums());
    EXPECT_TRUE(sums.worthRepeating());
    EXPECT_EQ(sums.damagedAddresses(), (QList<int>{0x1000, 0x1040}));
}

TEST(ReadBlockCheck, ARadioWhoseTrailingByteIsNoSumNeverHasBlocksRefused)
{
    // A constant trailing byte matches blank blocks by chance; they prove nothing.
    BlockSumJudge sums;
    for (int a = 0; a < 0x400; a += 64)
        sums.record(reply(a, erased, 0xC0).data(), a);
    int a = 0x400;
    for (; a < 0x400 + 3 * 64; a += 64) {
        sums.record(reply(a, varied, 0xC0).data(), a);
        EXPECT_TRUE(sums.worthRepeating()) << "too early to judge after " << (a - 0x400) / 64 + 1;
    }
    sums.record(reply(a, varied, 0xC0).data(), a);
    EXPECT_FALSE(sums.worthRepeating());  // no more repeats for this radio
    for (a += 64; a < 0x10000; a += 64)
        sums.record(reply(a, varied, 0xC0).data(), a);
    EXPECT_FALSE(sums.radioSendsSums());
    EXPECT_TRUE(sums.damagedAddresses().isEmpty());
}

TEST(WriteVerify, BlocksNotReadBackIntactAreUnverifiedNeverPassed)
{
    std::vector<uint8_t> sent(0x10000), back(0x10000);
    for (int i = 0; i < 0x10000; ++i)
        sent[i] = back[i] = uint8_t(i);
    EXPECT_TRUE(verifyWrittenBlocks(sent.data(), back.data(), {}).passed());
    back[0x0A10] ^= 1;             // written, differs
    back[0x0150] ^= 1;             // calibration area: never written, never compared
    back[0xD200] ^= 1;             // above what a write sends
    const WriteVerification v = verifyWrittenBlocks(sent.data(), back.data(), {0x0400, 0x0A00, 0x0140, 0x2000});
    // 0x0A00 was not read back intact: unverified, not differing. 0x0140 is never written.
    EXPECT_EQ(v.differingBlocks, 0);
    EXPECT_EQ(v.unverifiedBlocks, 3);
    EXPECT_EQ(v.firstUnverifiedAddress, 0x0400);
    EXPECT_FALSE(v.passed());
    back[0x3000] ^= 1;
    const WriteVerification w = verifyWrittenBlocks(sent.data(), back.data(), {});
    EXPECT_EQ(std::tie(w.differingBlocks, w.firstDifferingAddress, w.unverifiedBlocks), std::make_tuple(2, 0x0A00, 0));
}
