// The command line of quorvel-demo: bad options give one line and status 2;
// --frames reports the median frame time and the conversion throughput.
#include "DemoProcess.h"
#include "PictureFile.h"

#include <gtest/gtest.h>

namespace DemoTest {
namespace {

TEST(CommandLineTest, RefusesBadOptionsWithOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"}, {"--size", "10x10"}, {"--size", "wide"}, {"--lut", "rainbow"}, {"--frames", "0"}, {"--out"}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
    const Outcome o = RunDemo(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(Lines(o.err).size(), 1u) << o.err;
    EXPECT_EQ(o.out, "");
  }
}

TEST(CommandLineTest, HelpListsTheOptions) {
  const Outcome o = RunDemo({"--help"});
  EXPECT_EQ(o.status, 0);
  for (const char* option : {"--out", "--size", "--dicom", "--frame", "--lut", "--frames", "--window"})
    EXPECT_NE(o.out.find(option), std::string::npos) << option;
}

TEST(CommandLineTest, SeveralFramesReportMedianTimeAndConversionRate) {
  const std::string out = ScratchDirectory() + "/small.png";
  const Outcome o = RunDemo({"--frames", "3", "--size", "640x360", "--lut", "hot", "--out", out});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("3 frame(s): median "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Mpixel/s"), std::string::npos) << o.out;
  const PictureFile picture(out);
  ASSERT_TRUE(picture.Ok());
  EXPECT_EQ(picture.Width(), 640);
  EXPECT_EQ(picture.Height(), 360);
}

}  // namespace
}  // namespace DemoTest
