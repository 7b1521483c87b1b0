// The layout rules both toolkits build their windows by.

#include <gtest/gtest.h>

#include <vector>

#include "platform/FormLayout.h"

namespace tallyo {
namespace {

using K = ControlKind;

TEST(FormLayoutTest, WindowedControlsStackAboveLabelsEachInTheTablesOrder) {
  constexpr LayoutRow kLayout[] = {
      {K::kLabel, "L0", "", 0, 0, 1, 1},         {K::kTextBox, "T1", "", 0, 0, 1, 1},
      {K::kLine, "Line2", "", 0, 0, 1, 1},       {K::kLabel, "L3", "", 0, 0, 1, 1},
      {K::kPictureBox, "P4", "", 0, 0, 1, 1},    {K::kCheckBox, "C5", "", 0, 0, 1, 1},
      {K::kFileList, "F6", "*.txt", 0, 0, 1, 1}, {K::kDirList, "D7", "", 0, 0, 1, 1},
      {K::kCommandButton, "B8", "", 0, 0, 1, 1},
  };
  EXPECT_EQ(StackingOrder(kLayout), (std::vector<std::size_t>{1, 4, 5, 6, 7, 8, 0, 3}));
  EXPECT_TRUE(StackingOrder({}).empty());
}

// The layouts' check boxes at 96 dots per inch with an 8.25-point font (13 pixels to the
// line): those 375 twips high (25 pixels) break their captions, "Ref V to 0v" at 240
// twips (16 pixels) does not.
TEST(FormLayoutTest, CaptionsWrapInBoxesOneAndAHalfLinesHigh) {
  const struct {
    int boxHeight, lineHeight;
    bool wraps;
  } cases[] = {{25, 13, true},  {16, 13, false}, {39, 26, true}, {38, 26, false},
               {37, 25, false}, {38, 25, true},  {0, 13, false}, {50, 33, true}};
  for (const auto& c : cases)
    EXPECT_EQ(CaptionWraps(c.boxHeight, c.lineHeight), c.wraps)
        << c.boxHeight << " " << c.lineHeight;
}

}  // namespace
}  // namespace tallyo
