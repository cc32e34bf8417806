#include "widgets/ULayeredPicture.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zandor;

namespace {

struct LayeredPicture : ::testing::Test {
    TLayeredPicture picture;
    void SetUp() override {
        picture.resize(20, 10);
        picture.SetBackground(Qt::black);
        picture.FillLayer(0, QColor(255, 0, 0));
        picture.FillLayer(1, QColor(0, 0, 255));
    }
    QColor shown(int x = 5, int y = 5) const { return picture.Composed().pixelColor(x, y); }
};

} // namespace

TEST_F(LayeredPicture, LayersBlendByTheirOpacity) {
    EXPECT_EQ(picture.Layer(0).size(), QSize(20, 10));
    EXPECT_EQ(shown(), QColor(0, 0, 255)); // the opaque upper layer hides the lower one
    picture.SetOpacity(1, 0);
    EXPECT_EQ(shown(), QColor(255, 0, 0));
    picture.SetOpacity(1, 128);
    const QColor half = shown();
    EXPECT_NEAR(half.red(), 127, 2);
    EXPECT_NEAR(half.blue(), 128, 2);
    picture.SetOpacity(0, 0);
    picture.SetOpacity(1, 0);
    EXPECT_EQ(shown(), QColor(0, 0, 0)); // both invisible: the background shows
    picture.SetOpacity(1, 900);
    EXPECT_EQ(picture.Opacity(1), 255);
}

TEST_F(LayeredPicture, FadeStepsDownThenSwapsTheLayers) {
    std::vector<int> opacities;
    while (picture.FadeStep())
        opacities.push_back(picture.Opacity(1));
    EXPECT_EQ(opacities, (std::vector<int>{193, 131, 69, 7}));
    // The lower layer came to the top; both are opaque again.
    EXPECT_EQ(picture.Layer(1).pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(picture.Layer(0).pixelColor(0, 0), QColor(0, 0, 255));
    EXPECT_EQ(picture.Opacity(0), 255);
    EXPECT_EQ(picture.Opacity(1), 255);
    EXPECT_EQ(shown(), QColor(255, 0, 0));

    picture.BringToFront(1); // already on top: nothing moves
    EXPECT_EQ(picture.Layer(1).pixelColor(0, 0), QColor(255, 0, 0));
    picture.BringToFront(0);
    EXPECT_EQ(picture.Layer(1).pixelColor(0, 0), QColor(0, 0, 255));
}

TEST_F(LayeredPicture, ResizingKeepsTheContentAndReportsTheMouse) {
    QImage dot(2, 2, QImage::Format_RGB32);
    dot.fill(Qt::green);
    picture.SetLayer(1, dot);
    picture.resize(30, 12);
    EXPECT_EQ(picture.Layer(1).size(), QSize(30, 12));
    EXPECT_EQ(picture.Layer(1).pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(picture.Layer(1).pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(picture.Layer(1).pixelColor(25, 11), QColor(Qt::black)); // new room: background

    picture.show();
    QSignalSpy down(&picture, &TLayeredPicture::MouseDown);
    QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(7, 3));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(down[0][1].toPoint(), QPoint(7, 3));
}
