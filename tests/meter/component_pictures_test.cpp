#include "ui/panel/component_pictures.h"
#include <gtest/gtest.h>

namespace panel {
namespace {

bool IsDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 80;
}

int DarkPixelsInRow(const QImage& image, int y)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += IsDark(image, x, y);
    return count;
}

TEST(ComponentPictures, SizeBackgroundAndLeadsToBothEdges)
{
    for (const QImage& image : ComponentPictures()) {
        EXPECT_EQ(image.size(), QSize(kComponentPictureWidth, kComponentPictureHeight));
        EXPECT_EQ(image.pixelColor(0, 0), ComponentPictureBackground());
        EXPECT_EQ(image.pixelColor(59, 79), ComponentPictureBackground());
        EXPECT_TRUE(IsDark(image, 30, 0));
        EXPECT_TRUE(IsDark(image, 30, 79));
    }
}

// The filled triangle is wide at its base and narrow at the bar end, so the half of the
// picture that holds the base is darker: the base is below the middle when the diode
// conducts upwards.
TEST(ComponentPictures, DiodesPointOppositeWays)
{
    const auto pictures = ComponentPictures();
    const QImage& up = pictures[0];
    const QImage& down = pictures[1];
    EXPECT_GT(DarkPixelsInRow(up, 50), DarkPixelsInRow(up, 30));
    EXPECT_GT(DarkPixelsInRow(down, 30), DarkPixelsInRow(down, 50));
    EXPECT_EQ(up.mirrored(false, true), down);
}

} // namespace
} // namespace panel
