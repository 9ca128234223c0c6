#include "core/clock_geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/core/test_time.h"

namespace {

TEST(DegreesToRadians, UsesThreePointOneFourOver180) {
    EXPECT_DOUBLE_EQ(degreesToRadiansFactor, 0.017444444444444446);
    EXPECT_DOUBLE_EQ(DegreesToRadians(90), 90 * 0.017444444444444446);
}

struct HandCase {
    int hour, minute, second;
    Point hour_tip, minute_tip, second_tip;
};

TEST(HandTip, EndPointsAtKnownTimes) {
    const HandCase cases[] = {
        {0, 0, 0, {350, 70}, {350, 52}, {350, 41}},
        {12, 0, 0, {349, 70}, {350, 52}, {350, 41}},
        {3, 0, 0, {399, 120}, {350, 52}, {350, 41}},
        {15, 0, 0, {399, 119}, {350, 52}, {350, 41}},
        {6, 30, 45, {337, 168}, {350, 188}, {271, 120}},
        {9, 15, 30, {300, 113}, {417, 120}, {350, 199}},
        {14, 42, 9, {399, 112}, {285, 141}, {413, 73}},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        const SYSTEMTIME now = MakeTime(2009, 4, 23, c.hour, c.minute, c.second);
        EXPECT_EQ(HandTip(HourHandAngle(now), hourHandLength), c.hour_tip);
        EXPECT_EQ(HandTip(MinuteHandAngle(now), minuteHandLength), c.minute_tip);
        EXPECT_EQ(HandTip(SecondHandAngle(now), secondHandLength), c.second_tip);
    }
}

TEST(DialPoint, KnownDots) {
    const std::pair<int, Point> cases[] = {
        {0, {350, 220}},  {1, {351, 219}},   {45, {420, 190}}, {90, {449, 120}},
        {180, {350, 21}}, {270, {251, 120}}, {359, {348, 219}},
    };
    for (const auto& [degree, dot] : cases) {
        EXPECT_EQ(DialPoint(degree), dot) << degree;
    }
}

TEST(DialPoint, All360DotsAreDistinct) {
    std::set<std::pair<int, int>> dots;
    for (int degree = 0; degree < dialDotCount; ++degree) {
        const Point p = DialPoint(degree);
        dots.insert({p.x, p.y});
    }
    EXPECT_EQ(dots.size(), 360u);
}

}  // namespace
