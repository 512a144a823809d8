#include <gtest/gtest.h>

#include <cmath>

#include "assets/Lgeometry.h"
#include "assets/Lnb.h"
#include "assets/Lstr.h"

namespace {
std::string Sub(const std::string& text, int start, int end, std::string keep = "old") {
  SubStr(text, start, end, keep);
  return keep;
}
}  // namespace

TEST(TextHelpers, SubStrTakesOneBasedInclusiveRangesAndRefusesBadOnes) {
  EXPECT_EQ(Sub("MENUW", 1, 4), "MENU");
  EXPECT_EQ(Sub("abc", 2, 2), "b");
  testing::internal::CaptureStdout();
  EXPECT_EQ(Sub("abc", 0, 2), "old");
  EXPECT_EQ(Sub("abc", 3, 2), "old");
  EXPECT_EQ(Sub("abc", 1, 9), "old");
  EXPECT_EQ(Sub("", 1, 1), "old");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "end or begin is negative!\n"
            "end given is smaller than begin!\n"
            "begin or end given is too large!\npruut : old\n"
            "begin or end given is too large!\npruut : old\n");
}

TEST(TextHelpers, CuttingAtDelimiters) {
  std::string d = "x";
  TextBefore("12/7/3", '/', d);
  EXPECT_EQ(d, "12");
  TextBefore("12", '/', d);
  EXPECT_EQ(d, "12");
  TextBefore("/5", '/', d);  // a delimiter in first place belongs to the result
  EXPECT_EQ(d, "/5");
  TextBefore("7", '/', d);
  EXPECT_EQ(d, "7");
  TextUpToLast("mesh/anneau.obj", '/', d);
  EXPECT_EQ(d, "mesh/");
  TextUpToLast("anneau.obj", '/', d);
  EXPECT_EQ(d, "");
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" x"));
  EXPECT_FALSE(IsBlank("\t"));  // only the space counts as blank
}

TEST(TextHelpers, ReadNumberReadsPlainDecimalsOnly) {
  EXPECT_EQ(ReadNumber("12"), 12.0);
  EXPECT_EQ(ReadNumber(" -3.5 "), -3.5);
  EXPECT_EQ(ReadNumber("-.5"), -0.5);
  EXPECT_EQ(ReadNumber("5."), 5.0);
  EXPECT_EQ(ReadNumber("007"), 7.0);
  EXPECT_EQ(ReadNumber("3.250"), 3.25);
  EXPECT_EQ(ReadNumber("0.1"), 1.0 / 10.0);
  EXPECT_EQ(ReadNumber("2.50"), 250.0 / 10.0 / 10.0);
  for (const char* bad : {"1.2.3", "1e5", "1e3", "+2", "1,5", "abc", "-", "", "   "}) {
    EXPECT_EQ(ReadNumber(bad), -1.0) << bad;
  }
}

TEST(NumberHelpers, GcdFractionsAndBinaryText) {
  EXPECT_EQ(Gcd(12, 18), 6);
  EXPECT_EQ(Gcd(0, 7), 7);
  EXPECT_EQ(Gcd(7, 0), 7);
  auto fraction = [](double accuracy) {
    int keep = 0, period = 0;
    AccuracyToFraction(accuracy, keep, period);
    return std::make_pair(keep, period);
  };
  EXPECT_EQ(fraction(0.5), std::make_pair(1, 2));
  EXPECT_EQ(fraction(0.25), std::make_pair(6, 25));
  EXPECT_EQ(fraction(0.3), std::make_pair(3, 10));
  EXPECT_EQ(fraction(0.75), std::make_pair(37, 50));
  EXPECT_EQ(fraction(1.0), std::make_pair(1, 1));
  EXPECT_EQ(fraction(0.01), std::make_pair(1, 100));
  EXPECT_EQ(fraction(0.001), std::make_pair(1, 100));
  EXPECT_EQ(ToBinaryText(0), "0");
  EXPECT_EQ(ToBinaryText(5), "101");
  EXPECT_EQ(ToBinaryText(8), "1000");
  EXPECT_EQ(ToBinaryText(15), "1111");
}

TEST(GeometryHelpers, DistancesAndSides) {
  T_point a{1, 2, 3}, b{4, 6, 3};
  EXPECT_EQ(Distance(a, a), 0.0);
  EXPECT_EQ(Distance(a, b), 5.0);
  EXPECT_EQ(Distance(b, a), Distance(a, b));
  // A vertical line in x-z: always 2; a point on the line: 2.
  EXPECT_EQ(LineSideXZ({5, 0, 5}, {1, 0, 0}, {1, 0, 9}), 2);
  EXPECT_EQ(LineSideXZ({1, 0, 1}, {0, 0, 0}, {2, 0, 2}), 2);
  EXPECT_EQ(LineSideXZ({1, 0, 0}, {0, 0, 0}, {2, 0, 2}), 1);  // below the line, going +x
  EXPECT_EQ(LineSideXZ({1, 0, 0}, {2, 0, 2}, {0, 0, 0}), 2);
  EXPECT_EQ(LineSideYZ({0, 5, 1}, {0, 0, 0}, {0, 2, 2}), 1);  // above the line, going +z
  EXPECT_EQ(LineSideYZ({0, 0, 1}, {0, 0, 0}, {0, 2, 2}), 2);
  EXPECT_EQ(LineSideYZ({0, 5, 0}, {0, 0, 3}, {0, 9, 3}), 2);
}

TEST(GeometryHelpers, HeadingElevationAndTurnAngles) {
  EXPECT_NEAR(HeadingXZ({0, 0, 0}, {1, 0, 1}), -45.0, 1e-9);
  EXPECT_NEAR(HeadingXZ({1, 0, 0}, {0, 0, 1}), 45.0, 1e-9);
  EXPECT_EQ(ElevationYZ({0, 0, 0}, {0, 0, 5}), -90.0);
  EXPECT_NEAR(TurnAngleXZ({0, 0, 0}, {-1, 0, 0}, {1, 0, 0}), -180.0, 1e-9);
  // The degenerate cases answer a number, never NaN.
  EXPECT_EQ(HeadingXZ({3, 0, 3}, {3, 9, 3}), 0.0);
  EXPECT_EQ(ElevationYZ({0, 4, 4}, {7, 4, 4}), -90.0);
  EXPECT_FALSE(std::isnan(TurnAngleXZ({0, 0, 0}, {0, 5, 0}, {1, 0, 0})));
  EXPECT_FALSE(std::isnan(TurnAngleYZ({0, 0, 0}, {9, 0, 0}, {0, 1, 1})));
  // Nearly straight lines stay finite despite rounding.
  EXPECT_NEAR(std::fabs(TurnAngleXZ({0.1, 0, 0.3}, {0.0, 0, 0.0}, {0.2, 0, 0.6})), 180.0, 1e-6);
}

TEST(GeometryHelpers, CompassAngleTable) {
  T_point q{0, 0, 0};
  EXPECT_EQ(CompassAngle({0, 0, -5}, q, {}), 0.0);
  EXPECT_EQ(CompassAngle({5, 0, 0}, q, {}), -90.0);
  EXPECT_EQ(CompassAngle({0, 0, 5}, q, {}), 180.0);
  EXPECT_EQ(CompassAngle({-5, 0, 0}, q, {}), 90.0);
  EXPECT_NEAR(CompassAngle({-5, 0, 5}, q, {}), 135.0, 1e-9);
  EXPECT_NEAR(CompassAngle({5, 0, -5}, q, {}), -45.0, 1e-9);
  EXPECT_NEAR(CompassAngle({5, 0, 0}, q, {0, 30, 0}), -60.0, 1e-9);
  // Modulo 360 the table is -90 - atan2(dz, dx).
  for (double angle = -170; angle < 180; angle += 17) {
    double dx = std::cos(angle * M_PI / 180), dz = std::sin(angle * M_PI / 180);
    double u = CompassAngle({dx, 0, dz}, q, {});
    double expected = -90.0 - std::atan2(dz, dx) * 180 / M_PI;
    EXPECT_NEAR(std::remainder(u - expected, 360.0), 0.0, 1e-9) << angle;
  }
}

TEST(GeometryHelpers, RotationsAboutOneAxis) {
  T_point r = RotatePoint({0, 1, 0}, {90, 0, 0});
  EXPECT_NEAR(r.x, 0, 1e-12);
  EXPECT_NEAR(r.y, 0, 1e-12);
  EXPECT_NEAR(r.z, 1, 1e-12);
  T_point same = RotatePoint({1, 2, 3}, {0, 0, 0});
  EXPECT_EQ(same.x, 1);
  EXPECT_EQ(same.y, 2);
  EXPECT_EQ(same.z, 3);
  // Only y is used when both y and x are given; a quarter turn about y takes +z to +x.
  T_point q = RotatePoint({0, 5, 2}, {45, 90, 0});
  EXPECT_NEAR(q.x, 2, 1e-12);
  EXPECT_EQ(q.y, 5);
  EXPECT_NEAR(q.z, 0, 1e-12);
  // A point on the axis stays put instead of turning into NaN.
  T_point axis = RotatePoint({0, 7, 0}, {0, 30, 0});
  EXPECT_EQ(axis.y, 7);
  EXPECT_EQ(axis.x, 0);
  T_point angles = PlaneAngles({0, 0, 1});
  EXPECT_EQ(angles.x, 90.0);  // p.y = 0 and p.z > 0
}

TEST(GeometryHelpers, WorldToGridTruncatesAndSurvivesNonsense) {
  t_rain terrain;
  terrain.cellSize = 10;
  terrain.samples = std::make_shared<const t_tab_pixel>(6, std::vector<std::uint8_t>(4, 0));
  int row = 0, column = 0;
  WorldToGrid({0, 0, 0}, terrain, row, column);  // (H div 2, W div 2)
  EXPECT_EQ(row, 3);
  EXPECT_EQ(column, 2);
  WorldToGrid({15, 0, -25}, terrain, row, column);
  EXPECT_EQ(row, 0);  // 0.5 truncates to 0
  EXPECT_EQ(column, 0);
  WorldToGrid({25, 0, -35}, terrain, row, column);
  EXPECT_EQ(row, 0);  // -0.5 also truncates toward zero
  EXPECT_EQ(column, 0);
  WorldToGrid({NAN, 0, INFINITY}, terrain, row, column);
  EXPECT_EQ(row, -1);
  EXPECT_EQ(column, -1);
}
