#include "BlankDocument.h"

#include "sections/AlertToneData.h"

#include "app/AppSettings.h"

TEST(AlertToneData, DefaultsOnErasedImage)
{
    BlankDocument b(QStringLiteral("RQ381"));
    CAlertToneData(b.doc).SetDefaults();
    EXPECT_TRUE(allBytesAre(b.image(), 0x4650, 0x4655, 0xFF));
    EXPECT_EQ(bytesAt(b.image(), 0x4655, 6), "FB 05 05 05 01 FF");

    // The program may run in Chinese by locale; only setting.ini's entry counts.
    b.cfg.settings().setLanguageName(QStringLiteral("chinese"));
    CAlertToneData(b.doc).SetDefaults();
    EXPECT_EQ(b.image()[0x4659], 0x01);
    b.cfg.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("chinese"));
    CAlertToneData(b.doc).SetDefaults();
    EXPECT_EQ(b.image()[0x4659], 0x00);

    BlankDocument vk(QStringLiteral("VK214"));
    vk.image()[0x4659] = 0x00;
    CAlertToneData(vk.doc).SetDefaults();
    EXPECT_EQ(vk.image()[0x4659], 0xFF);
}

TEST(AlertToneData, ToneSettingsChangeOnlyTheirTwoBits)
{
    BlankDocument b;
    CAlertToneData tones(b.doc);
    EXPECT_TRUE(tones.SetAlertTone(10, 1));  // position 11: bits 6-7 of 0x4652
    EXPECT_EQ(b.image()[0x4652], 0xBF);
    EXPECT_TRUE(tones.SetTonePosition(2, 1, 0));  // position 9: bits 2-3 of 0x4652
    EXPECT_EQ(b.image()[0x4652], 0xB3);
    EXPECT_TRUE(tones.SetAlertTone(19, 0));  // position 20: bits 0-1 of 0x4655
    EXPECT_EQ(b.image()[0x4655], 0xFC);

    b.image()[0x4650] = 0x21;  // positions 0..3 = 01, 00, 10, 00
    EXPECT_EQ(tones.GetAlertTone(0), 2);
    EXPECT_EQ(tones.GetTonePosition(0, 1), 0);
    EXPECT_EQ(tones.GetAlertTone(2), 1);

    // Position 10 is no tone's; the slots after 20 are the flags of 0x4655.
    const auto before = b.snapshot();
    EXPECT_FALSE(tones.SetTonePosition(2, 2, 0));
    EXPECT_FALSE(tones.SetTonePosition(5, 1, 0));
    EXPECT_FALSE(tones.SetAlertTone(20, 1));
    EXPECT_FALSE(tones.SetAlertTone(0, 3));
    EXPECT_TRUE(b.unchangedSince(before));
}

TEST(AlertToneData, VolumesAndLanguageFallbacks)
{
    BlankDocument b;
    CAlertToneData tones(b.doc);
    for (uint8_t stored : {0x00, 0x0B, 0xFF}) {
        b.image()[0x4656] = stored;
        EXPECT_EQ(tones.GetVoiceVolume(), -1) << int(stored);
    }
    tones.SetSideToneVolume(9);
    EXPECT_EQ(b.image()[0x4658], 10);
    EXPECT_FALSE(tones.SetAlertToneVolume(10));

    const int readings[][2] = {{0x00, 1}, {0x01, 2}, {0x02, 0}, {0xFF, 0}};
    for (const auto &[stored, index] : readings) {
        b.image()[0x4659] = uint8_t(stored);
        EXPECT_EQ(tones.GetAnnounceLanguage(), index);
    }
    tones.SetAnnounceLanguage(2);
    EXPECT_EQ(b.image()[0x4659], 0x01);
}
