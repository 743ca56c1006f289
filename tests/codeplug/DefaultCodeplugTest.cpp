#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(DefaultCodeplugTest, RadioInformationDefaults)
{
    TestDocument t;
    const uint8_t *image = t.image();
    EXPECT_EQ(bytesAt(image, 0x00, 8), "52 51 33 38 31 FF FF FF");
    EXPECT_EQ(bytesAt(image, 0x30, 7), "20 14 07 20 07 07 07");
    EXPECT_EQ(bytesAt(image, 0x37, 4), "55 AA 55 AA");
    EXPECT_EQ(bytesAt(image, 0x3B, 4), "00 01 01 09");
    EXPECT_EQ(bytesAt(image, 0x5D, 15), "30 31 32 33 34 35 36 37 38 39 30 31 32 33 34");
    EXPECT_EQ(bytesAt(image, 0x6C, 4), "00 01 00 00");
}

TEST(DefaultCodeplugTest, EmptyModelNameLeavesTheModelErased)
{
    TestDocument t("-");
    EXPECT_TRUE(allBytesAre(t.image(), 0x00, 0x08, 0xFF));
    EXPECT_EQ(t.doc->GetModel(), "");
}

TEST(DefaultCodeplugTest, DefaultTableOfSixtyFourEntries)
{
    TestDocument t;
    EXPECT_EQ(bytesAt(t.image(), 0x4580, 3), "77 5F 57");
    EXPECT_EQ(bytesAt(t.image(), 0x4580 + 3 * 31, 3), "F7 F7 7D");
    EXPECT_EQ(bytesAt(t.image(), 0x463D, 3), "77 FD FD");
    // Rewriting it over other bytes gives the same table.
    std::fill(t.image() + 0x4580, t.image() + 0x4640, 0x00);
    t.doc->WriteDefaultTable64();
    EXPECT_EQ(bytesAt(t.image(), 0x4580, 3), "77 5F 57");
    EXPECT_EQ(bytesAt(t.image(), 0x463D, 3), "77 FD FD");
}

// Bytes that belong to no section are never written by a new codeplug.
TEST(DefaultCodeplugTest, UnownedBytesStayErased)
{
    TestDocument t;
    const uint8_t *image = t.image();
    EXPECT_TRUE(allBytesAre(image, 0x0D, 0x30, 0xFF));
    EXPECT_TRUE(allBytesAre(image, 0x3F, 0x5D, 0xFF));
    EXPECT_TRUE(allBytesAre(image, 0x0100, 0x0280, 0xFF));  // the radio's calibration area
    EXPECT_TRUE(allBytesAre(image, 0x7100, 0x7105, 0xFF));  // written only when sending to a radio
    EXPECT_TRUE(allBytesAre(image, 0x10000, kImageSize, 0xFF));
}

TEST(DefaultCodeplugTest, ModelTextIsCutToEightCharacters)
{
    TestDocument vk("VK214");
    EXPECT_EQ(bytesAt(vk.image(), 0x00, 8), "56 4B 32 31 34 FF FF FF");
    TestDocument longName("ABCDEFGHIJK");
    EXPECT_EQ(bytesAt(longName.image(), 0x00, 9), "41 42 43 44 45 46 47 48 06");
}

}
