#include "plot/Canvas.h"
#include "CurveFixtures.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

using namespace test;

constexpr QRgb Pen = qRgb(0, 0, 255);
constexpr QRgb Brush = qRgb(0, 255, 255);

QImage blank(int w = 20, int h = 16) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

TEST(Canvas, RectangleCoversItsBoxWithoutTheRightAndBottomEdges) {
    QImage image = blank();
    {
        Canvas canvas(image);
        canvas.setPen(Pen);
        canvas.setBrush(Brush);
        canvas.rectangle(2, 3, 7, 9); // x 2 ... 6, y 3 ... 8
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inBox = x >= 2 && x <= 6 && y >= 3 && y <= 8;
            const bool edge = x == 2 || x == 6 || y == 3 || y == 8;
            const QRgb expected = !inBox ? White : edge ? Pen : Brush;
            ASSERT_EQ(at(image, x, y), expected) << x << "," << y;
        }
}

TEST(Canvas, ReversedCornersAndThinRectanglesAreAllOutline) {
    QImage image = blank();
    {
        Canvas canvas(image);
        canvas.setPen(Pen);
        canvas.setBrush(Brush);
        canvas.rectangle(0, 16, 20, 15); // the bottom row
        canvas.rectangle(19, 0, 20, 16); // the right column
        canvas.rectangle(5, 5, 5, 9);    // empty: nothing
    }
    EXPECT_EQ(countColour(image, Pen), 20 + 16 - 1);
    EXPECT_EQ(at(image, 0, 15), Pen);
    EXPECT_EQ(at(image, 19, 0), Pen);
    EXPECT_EQ(countColour(image, Brush), 0);
}

TEST(Canvas, LinePaintsItsStartButNotItsEndInEveryDirection) {
    const int ends[][2] = {{8, 0}, {-8, 0}, {0, 6}, {0, -6}, {7, 3}, {-7, -3}, {2, -6}, {-3, 5}};
    for (const auto& d : ends) {
        QImage image = blank();
        {
            Canvas canvas(image);
            canvas.setPen(Pen);
            canvas.line(10, 8, 10 + d[0], 8 + d[1]);
        }
        const int steps = std::max(std::abs(d[0]), std::abs(d[1]));
        EXPECT_EQ(countColour(image, Pen), steps) << d[0] << "," << d[1];
        EXPECT_EQ(at(image, 10, 8), Pen);
        EXPECT_EQ(at(image, 10 + d[0], 8 + d[1]), White);
    }
}

TEST(Canvas, ZeroLengthLinePaintsNothing) {
    QImage image = blank();
    {
        Canvas canvas(image);
        canvas.line(4, 4, 4, 4);
    }
    EXPECT_EQ(countColour(image, White), image.width() * image.height());
}

TEST(Canvas, FarOffCoordinatesAreClippedNotOverflowed) {
    QImage image = blank();
    {
        Canvas canvas(image);
        canvas.setPen(Pen);
        canvas.setBrush(Brush);
        canvas.line(-1'000'000'000'000'000LL, 5, 1'000'000'000'000'000LL, 5);
        // A steep line from far above through (10, 8), continuing downwards.
        canvas.line(10 - 1'000'000'000'000'000LL, 8 - 3'000'000'000'000'000LL, 12, 14);
        canvas.rectangle(-5'000'000'000'000LL, 12, 5'000'000'000'000LL, 1'000'000'000'000LL);
        canvas.ellipse(-4'000'000'000'000LL, 0, 4'000'000'000'000LL, 2);
        canvas.textOut(3'000'000'000'000LL, 0, QStringLiteral("0"), LabelFont{});
        canvas.pixel(-1, 3, Pen);
        canvas.pixel(20, 3, Pen);
    }
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(at(image, x, 5), Pen) << x;
    EXPECT_EQ(at(image, 10, 8), Pen);
    EXPECT_EQ(at(image, 0, 12), Pen); // the rectangle's top edge
    EXPECT_EQ(at(image, 5, 14), Brush);
    EXPECT_EQ(at(image, 0, 0), White); // the far-off ellipse is not drawn
}

TEST(Canvas, EllipseStaysInItsBoxAndAnEmptyBoxPaintsNothing) {
    for (int size : {1, 2, 4, 7, 10}) {
        QImage image = blank(24, 24);
        {
            Canvas canvas(image);
            canvas.setPen(qRgb(0, 0, 0));
            canvas.setBrush(Brush);
            canvas.ellipse(5, 6, 5 + size, 6 + size);
            canvas.ellipse(2, 2, 2, 9);
        }
        int left = 99, right = -1, top = 99, bottom = -1;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                if (at(image, x, y) != White) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        EXPECT_EQ(left, 5) << size;
        EXPECT_EQ(right, 5 + size - 1) << size;
        EXPECT_EQ(top, 6) << size;
        EXPECT_EQ(bottom, 6 + size - 1) << size;
    }
}

TEST(Canvas, TextIsWrittenOnABoxOfTheBrushColour) {
    QImage image = blank(60, 30);
    int width = 0, height = 0;
    {
        Canvas canvas(image);
        canvas.setBrush(Brush);
        LabelFont font;
        font.font.setPointSize(8);
        width = canvas.textWidth(QStringLiteral("12"), font.font);
        height = canvas.textHeight(font.font);
        canvas.textOut(4, 5, QStringLiteral("12"), font);
    }
    ASSERT_GT(width, 0);
    EXPECT_EQ(at(image, 4, 5), Brush);
    EXPECT_EQ(at(image, 4 + width - 1, 5 + height - 1), Brush);
    EXPECT_EQ(at(image, 4 + width, 5), White);
    EXPECT_EQ(at(image, 4, 5 + height), White);
    EXPECT_GT(countColour(image, qRgb(0, 0, 0)), 5); // the glyphs, black
}

TEST(Canvas, EmptyImageTakesEveryCallQuietly) {
    QImage image;
    Canvas canvas(image);
    canvas.rectangle(0, 0, 10, 10);
    canvas.ellipse(0, 0, 10, 10);
    canvas.line(0, 0, 10, 10);
    canvas.textOut(0, 0, QStringLiteral("x"), LabelFont{});
    EXPECT_EQ(canvas.width(), 0);
}

} // namespace
} // namespace quelmar
