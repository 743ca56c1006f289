// The rules by which one entry changes other fields.

#include "TestSupport.h"

#include "fields/CrossFieldRules.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/DecodeSequenceData.h"
#include "sections/EncodeSequenceData.h"

#include <gtest/gtest.h>

// The mode rules are the channel rules' own; here only what this entry adds:
// a transmit frequency sets the transmit colour code.
TEST(CrossFieldRules, ATransmitFrequencySetsTheTransmitColourCode)
{
    TestDocument t(QStringLiteral("RQ381"));
    EXPECT_EQ(CrossFieldRules::enterFrequency(*t.doc, 1, 1, true, QStringLiteral("434.125")), QStringLiteral("434.125000"));
    EXPECT_EQ(CChannelData(*t.doc).GetTxColourCode(1, 1), 20);
}

TEST(CrossFieldRules, ANewSignallingKindStartsTheSequenceAnewTheSameKindKeepsIt)
{
    TestDocument t(QStringLiteral("TL809"));
    CEncodeSequenceData encode(*t.doc);
    ASSERT_TRUE(encode.SetSequenceType(2, CEncodeSequenceData::kDtmf));
    ASSERT_TRUE(encode.SetSequence(2, QStringLiteral("*#0")));
    EXPECT_TRUE(CrossFieldRules::changeSequenceType(*t.doc, 2, CEncodeSequenceData::kDtmf));
    EXPECT_EQ(encode.GetSequence(2), QStringLiteral("*#0"));
    EXPECT_TRUE(CrossFieldRules::changeSequenceType(*t.doc, 2, CEncodeSequenceData::kFiveTone));
    EXPECT_EQ(encode.GetSequence(2), QStringLiteral("12345"));
    EXPECT_FALSE(CrossFieldRules::changeSequenceType(*t.doc, 2, 7));

    CDecodeSequenceData decode(*t.doc);
    ASSERT_TRUE(decode.SetSequence(1, QStringLiteral("ABC")));
    const int other = 1 - decode.GetRxSignaling(1);
    EXPECT_TRUE(CrossFieldRules::changeRxSignaling(*t.doc, 1, decode.GetRxSignaling(1)));
    EXPECT_EQ(decode.GetSequence(1), QStringLiteral("ABC"));
    EXPECT_TRUE(CrossFieldRules::changeRxSignaling(*t.doc, 1, other));
    EXPECT_EQ(decode.GetSequence(1), QStringLiteral("12345"));
}

TEST(CrossFieldRules, AStartIdChangeNamesTheContactsThatChangeType)
{
    TestDocument t(QStringLiteral("RQ381"));
    CContactData contacts(*t.doc);
    const QString ids[] = {QStringLiteral("1000001"), QStringLiteral("4999999"), QStringLiteral("5000001"), QStringLiteral("0000042")};
    for (int i = 1; i <= 4; ++i) {
        contacts.SetNumber(i, i);
        contacts.SetName(i, QStringLiteral("C%1").arg(i));
        contacts.SetCallId(i, ids[i - 1]);
    }
    const QByteArray contactBytes = imageOf(*t.doc).mid(0x4C38, 4 * 40);
    const CrossFieldRules::StartIdChange change = CrossFieldRules::enterStartId(*t.doc, QStringLiteral("5000000"));
    EXPECT_TRUE(change.accepted);
    EXPECT_EQ(change.retyped, (QList<int>{1, 2}));
    // The type is not stored: the contacts' bytes stay.
    EXPECT_EQ(imageOf(*t.doc).mid(0x4C38, 4 * 40), contactBytes);

    const CrossFieldRules::StartIdChange zero = CrossFieldRules::enterStartId(*t.doc, QString());
    EXPECT_EQ(CBasicSettingData(*t.doc).GetGroupCallStartId(), QStringLiteral("0000001"));
    EXPECT_EQ(zero.retyped, (QList<int>{1, 2, 4}));  // 5000001 was a group call and stays one
    EXPECT_FALSE(CrossFieldRules::enterStartId(*t.doc, QStringLiteral("12a")).accepted);
}
