#include "codeplug/ImageDelta.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

std::unique_ptr<Image> filledImage(uint8_t value)
{
    auto image = std::make_unique<Image>();
    image->fill(value);
    return image;
}

}

TEST(ImageDelta, EqualImagesGiveNoRuns)
{
    const auto a = filledImage(0xFF);
    EXPECT_TRUE(ImageDelta::between(*a, *a).isEmpty());
}

TEST(ImageDelta, RunsAtBothEndsAndJoinedAcrossShortGaps)
{
    const auto before = filledImage(0xFF);
    auto after = filledImage(0xFF);
    (*after)[0] = 0x00;                  // first byte of the image
    (*after)[kImageSize - 1] = 0x01;     // last byte
    (*after)[0x1000] = 0x10;             // two changes 8 bytes apart: one run
    (*after)[0x1000 + ImageDelta::kJoinGap] = 0x11;
    (*after)[0x2000] = 0x20;             // further apart: runs of their own
    (*after)[0x2000 + ImageDelta::kJoinGap + 1] = 0x21;

    const ImageDelta delta = ImageDelta::between(*before, *after);
    ASSERT_EQ(delta.runs().size(), 5u);
    EXPECT_EQ(delta.runs()[0].offset, 0);
    EXPECT_EQ(delta.runs()[1].offset, 0x1000);
    EXPECT_EQ(delta.runs()[1].after.size(), ImageDelta::kJoinGap + 1);
    EXPECT_EQ(delta.runs()[2].offset, 0x2000);
    EXPECT_EQ(delta.runs()[2].after.size(), 1);
    EXPECT_EQ(delta.runs()[4].offset, kImageSize - 1);
    EXPECT_EQ(delta.runs()[4].before, QByteArray(1, char(0xFF)));
}

TEST(ImageDelta, UndoAndRedoRestoreRandomEditsExactly)
{
    std::mt19937 random(381);
    auto original = filledImage(0xFF);
    for (int i = 0; i < kImageSize; i += 7)
        (*original)[i] = uint8_t(random());
    auto edited = std::make_unique<Image>(*original);
    for (int i = 0; i < 500; ++i)
        (*edited)[random() % kImageSize] = uint8_t(random());

    const ImageDelta delta = ImageDelta::between(*original, *edited);
    auto image = std::make_unique<Image>(*edited);
    delta.applyBefore(image->data(), kImageSize);
    EXPECT_TRUE(*image == *original);
    delta.applyAfter(image->data(), kImageSize);
    EXPECT_TRUE(*image == *edited);
}

TEST(ImageDelta, RunsBeyondASmallerBufferAreSkipped)
{
    const auto before = filledImage(0xFF);
    auto after = filledImage(0xFF);
    (*after)[10] = 1;
    (*after)[kImageSize - 2] = 2;
    const ImageDelta delta = ImageDelta::between(*before, *after);
    std::array<uint8_t, 64> small{};
    delta.applyAfter(small.data(), int(small.size()));
    EXPECT_EQ(small[10], 1);
}
