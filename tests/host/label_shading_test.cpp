#include "widgets/label/label_shading.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kNone = 0xFF000000;
constexpr uint32_t kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000;

TEST(LabelShading, TransparentColoursAreLeftOutInOrder) {
  const ShadeStops stops = StopsOf(kRed, kNone, kBlue);
  ASSERT_EQ(stops.count, 2);
  EXPECT_EQ(stops.colours[0], kRed);
  EXPECT_EQ(stops.colours[1], kBlue);
  EXPECT_EQ(StopsOf(kNone, kNone, kGreen).count, 1);
  EXPECT_EQ(StopsOf(kNone, kNone, kNone).count, 0);
}

TEST(LabelShading, StepsRunFromTheFirstColourThroughTheMiddleToTheLast) {
  const ShadeStops three = StopsOf(0x00000000, 0x00FFFFFF, 0x00000000);
  EXPECT_EQ(ShadeAt(three, 0, 5), 0x000000u);
  EXPECT_EQ(ShadeAt(three, 2, 5), 0xFFFFFFu);  // the middle ring of five is the middle colour
  EXPECT_EQ(ShadeAt(three, 4, 5), 0x000000u);
  EXPECT_EQ(ShadeAt(three, 1, 5), 0x808080u);  // 127.5 rounds up
  // Each channel on its own, rising and falling; halves round up either way.
  const ShadeStops two = StopsOf(0x00FF0010, 0x000010FF, kNone);
  EXPECT_EQ(ShadeAt(two, 1, 3), 0x00800888u);
  EXPECT_EQ(ShadeAt(two, 2, 3), 0x000010FFu);
}

TEST(LabelShading, DegenerateStepsAndStopsGiveTheFirstColour) {
  const ShadeStops two = StopsOf(kRed, kBlue, kNone);
  EXPECT_EQ(ShadeAt(two, 0, 1), kRed);
  EXPECT_EQ(ShadeAt(two, 7, 0), kRed);
  EXPECT_EQ(ShadeAt(two, -3, 8), kRed);
  EXPECT_EQ(ShadeAt(two, 99, 8), kBlue);
  EXPECT_EQ(ShadeAt(StopsOf(kNone, kGreen, kNone), 3, 8), kGreen);
  EXPECT_EQ(ShadeAt(StopsOf(kNone, kNone, kNone), 3, 8), 0u);
  // A huge band width must not overflow the arithmetic.
  EXPECT_EQ(ShadeAt(two, 0x7FFFFFFE, 0x7FFFFFFF), kBlue);
}

TEST(LabelShading, GradientPatternsTakeTheirAxisAndOrder) {
  const ShadeStops stops = StopsOf(kRed, kGreen, kBlue);
  struct Case {
    int32_t pattern;
    GradientAxis axis;
    std::vector<uint32_t> colours;
  };
  const Case cases[] = {
      {1, GradientAxis::Horizontal, {kRed, kGreen, kBlue}},
      {2, GradientAxis::Vertical, {kRed, kGreen, kBlue}},
      {3, GradientAxis::Horizontal, {kBlue, kGreen, kRed}},
      {4, GradientAxis::Vertical, {kBlue, kGreen, kRed}},
      {5, GradientAxis::Horizontal, {kRed, kGreen, kBlue, kGreen, kRed}},
      {6, GradientAxis::Vertical, {kRed, kGreen, kBlue, kGreen, kRed}},
      {7, GradientAxis::Diagonal, {kRed, kGreen, kBlue}},
      {8, GradientAxis::AntiDiagonal, {kRed, kGreen, kBlue}},
  };
  for (const Case& c : cases) {
    GradientPlan plan;
    ASSERT_TRUE(PlanGradient(c.pattern, stops, &plan)) << c.pattern;
    EXPECT_EQ(plan.axis, c.axis) << c.pattern;
    EXPECT_EQ(std::vector<uint32_t>(plan.stops.colours, plan.stops.colours + plan.stops.count),
              c.colours)
        << c.pattern;
  }
}

TEST(LabelShading, NoGradientOutsideThePatternsOrWithFewerThanTwoColours) {
  GradientPlan plan;
  for (int32_t pattern : {0, 9, -1})
    EXPECT_FALSE(PlanGradient(pattern, StopsOf(kRed, kGreen, kBlue), &plan));
  EXPECT_FALSE(PlanGradient(1, StopsOf(kRed, kNone, kNone), &plan));
  EXPECT_TRUE(PlanGradient(5, StopsOf(kNone, kRed, kBlue), &plan));
  EXPECT_EQ(plan.stops.count, 3);  // red, blue, red
}

}  // namespace
