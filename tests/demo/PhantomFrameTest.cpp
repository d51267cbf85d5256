// The default picture of quorvel-demo, rendered from the phantom, probed at
// places predicted from the phantom's arch and teeth and from the cameras of
// the views.
#include "DemoProcess.h"
#include "PictureFile.h"
#include "Projection.h"

#include "AxialView.h"
#include "Layout.h"
#include "Phantom.h"
#include "Scene.h"
#include "Style.h"
#include "VolumeView.h"

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace DemoTest {
namespace {

using Demo::Vec3;
constexpr int kWidth = 1600, kHeight = 900;

bool IsBright(const Rgb& p) { return std::min({p.r, p.g, p.b}) > 215; }
bool IsRed(const Rgb& p) { return IsColour(p, Demo::Style::kCrosshair, 40); }

class PhantomFrameTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    const std::string path = ScratchDirectory() + "/frame.png";
    run = std::make_unique<Outcome>(RunDemo({"--out", path}));
    picture = std::make_unique<PictureFile>(path);
    phantom = std::make_unique<Demo::Phantom>();
    context = std::make_unique<Headless::HeadlessContext>(16, 16);
    const Demo::Layout layout = Demo::MakeLayout(kWidth, kHeight);
    framing = Demo::PhantomAxialFraming(layout.axial, 1.0);
    axial = std::make_unique<Projection>(layout.axial, kHeight,
                                         [](Quorvel::GlCamera& c) { Demo::LoadAxialCamera(c, framing); });
    volume = std::make_unique<Projection>(layout.volume, kHeight, [](Quorvel::GlCamera& c) {
      Demo::LoadVolumeCamera(c, Demo::Phantom().Size());
    });
  }
  static void TearDownTestSuite() {
    axial.reset();
    volume.reset();
    context.reset();
  }

  void SetUp() override {
    ASSERT_EQ(run->status, 0) << run->err;
    ASSERT_TRUE(picture->Ok());
    ASSERT_EQ(picture->Width(), kWidth);
    ASSERT_EQ(picture->Height(), kHeight);
    ASSERT_TRUE(context->Ok()) << context->Error();
  }

  // Arch point, unit normal and unit tangent at a unit parameter.
  static Vec3 ArchPoint(double u) { return phantom->Arch().GetPointFromSampling(u); }
  static Vec3 ArchNormal(double u) {
    Vec3 n = phantom->Arch().GetNormalFromSampling(u);
    n.Normalize();
    return n;
  }
  static double UnitOfAlong(double along) { return along / phantom->Arch().SampledLength(); }
  static double PositionUnit() { return 0.5 - Demo::kInitialPositionAlong / phantom->Arch().SampledLength(); }
  static double Mm(double pixels) { return pixels * framing.pixel; }

  static inline std::unique_ptr<Outcome> run;
  static inline std::unique_ptr<PictureFile> picture;
  static inline std::unique_ptr<Demo::Phantom> phantom;
  static inline std::unique_ptr<Headless::HeadlessContext> context;
  static inline Demo::AxialFraming framing;
  static inline std::unique_ptr<Projection> axial, volume;
};

TEST_F(PhantomFrameTest, ReportsThePictureAndTheTimeOfEachStage) {
  EXPECT_NE(run->out.find("wrote "), std::string::npos) << run->out;
  for (const char* stage : {"axial slice from the phantom", "panoramic reformat", "headless EGL context",
                            "first frame", "write PNG", "total"})
    EXPECT_NE(run->out.find(stage), std::string::npos) << stage;
}

// Enamel saturates the bone window: every lower crown in the slice has white
// pixels, the gap of the missing molar and the tongue have none. (The two
// last molars are left out: the white ruler ends on them.)
TEST_F(PhantomFrameTest, TeethAreBrightWhereThePhantomHasThem) {
  const Demo::Teeth& teeth = phantom->Dentition();
  std::vector<const Demo::Tooth*> lower;
  for (const Demo::Tooth& t : teeth.All())
    if (!t.upper) lower.push_back(&t);
  ASSERT_EQ(lower.size(), 13u);
  for (std::size_t i = 1; i + 1 < lower.size(); ++i) {
    SCOPED_TRACE(lower[i]->along);
    const PicturePoint p = (*axial)(ArchPoint(UnitOfAlong(lower[i]->along)));
    const int r = int(lower[i]->halfWidth / framing.pixel);
    EXPECT_GT(picture->Count(p.Column() - r, p.Row() - r, p.Column() + r, p.Row() + r, IsBright), 40);
  }
  const PicturePoint gap = (*axial)(ArchPoint(UnitOfAlong(teeth.MissingToothAlong())));
  const int r = int(teeth.MissingToothWidth() * 0.3 / framing.pixel);
  EXPECT_EQ(picture->Count(gap.Column() - r, gap.Row() - r, gap.Column() + r, gap.Row() + r, IsBright), 0);
  const PicturePoint tongue = (*axial)(Vec3(0.0, -5.0, 0.0));
  EXPECT_EQ(picture->Count(tongue.Column() - 20, tongue.Row() - 20, tongue.Column() + 20, tongue.Row() + 20, IsBright),
            0);
}

TEST_F(PhantomFrameTest, BandOutlineFollowsBothEdgesOfTheArch) {
  const double halfWidth = Demo::RegionSettings{}.bandWidth * 0.5;
  for (double u : {0.06, 0.15, 0.6, 0.68, 0.92})
    for (double side : {1.0, -1.0}) {
      SCOPED_TRACE(testing::Message() << "u " << u << " side " << side);
      const PicturePoint p = (*axial)(ArchPoint(u) + ArchNormal(u) * (halfWidth * side));
      EXPECT_TRUE(picture->HasColourNear(p.Column(), p.Row(), 2, Demo::Style::kBand, 45));
    }
}

// The central slice crosses the band but leaves a gap around the position;
// the others are stubs from both edges with a plus sign after the central
// one and a minus sign before it.
TEST_F(PhantomFrameTest, TransversalSlicesAreDrawnAcrossTheBandWithGapAndSigns) {
  const Demo::RegionSettings region;
  const double halfWidth = region.bandWidth * 0.5;
  const double length = phantom->Arch().SampledLength();
  for (int j = -region.sliceCount / 2; j < region.sliceCount - region.sliceCount / 2; ++j) {
    SCOPED_TRACE(j);
    const double u = 0.5 - (Demo::kInitialPositionAlong + j * region.sliceSpacing) / length;
    const Vec3 point = ArchPoint(u), across = ArchNormal(u);
    const Vec3 first = point + across * halfWidth;
    const PicturePoint stub = (*axial)(first - across * (halfWidth * 0.25));
    EXPECT_TRUE(picture->HasColourNear(stub.Column(), stub.Row(), 2, Demo::Style::kTransversal, 50));
    const PicturePoint sign = (*axial)(first + across * (halfWidth * 0.25 + 0.8));
    EXPECT_EQ(picture->HasColourNear(sign.Column(), sign.Row(), 1, Demo::Style::kTransversal, 60), j > 0);
    if (j == 0) {
      const PicturePoint inGap = (*axial)(point + across * Mm(Demo::Style::kRegionGap * 0.4));
      EXPECT_FALSE(picture->HasColourNear(inGap.Column(), inGap.Row(), 1, Demo::Style::kTransversal, 60));
    }
  }
}

TEST_F(PhantomFrameTest, LineAlongThePanoramaAndInspectionWindowPassThroughThePosition) {
  const double u0 = PositionUnit();
  const Vec3 c = ArchPoint(u0), across = ArchNormal(u0);
  const Vec3 along = Brantel::Geometry::CrossProduct(across, Vec3(0.0, 0.0, 1.0));
  const double reach = Demo::RegionSettings{}.windowLength * 0.5;
  for (double side : {1.0, -1.0}) {
    SCOPED_TRACE(side);
    const PicturePoint lsa = (*axial)(c + along * (reach * 0.8 * side));
    EXPECT_TRUE(picture->HasColourNear(lsa.Column(), lsa.Row(), 2, Demo::Style::kLsa, 50));
    const PicturePoint window = (*axial)(ArchPoint(u0 - side * reach * 0.8 / phantom->Arch().SampledLength()));
    EXPECT_TRUE(picture->HasColourNear(window.Column(), window.Row(), 2, Demo::Style::kInspection, 50));
  }
}

// The crosshair sits on the panorama position; its four arms start
// kCrosshairGap pixels away from it.
TEST_F(PhantomFrameTest, CrosshairArmsLeaveTheirGapAroundThePosition) {
  const PicturePoint c = (*axial)(ArchPoint(PositionUnit()));
  const int gap = Demo::Style::kCrosshairGap;
  const int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto& d : directions) {
    SCOPED_TRACE(testing::Message() << d[0] << "," << d[1]);
    auto redAround = [&](int distance) {
      const int x = c.Column() + d[0] * distance, y = c.Row() + d[1] * distance;
      return picture->Count(x - 2, y - 2, x + 3, y + 3, IsRed) > 0;
    };
    EXPECT_TRUE(redAround(gap + 25));
    EXPECT_TRUE(redAround(gap + 60));
    EXPECT_FALSE(redAround(gap / 2 - 2));
  }
}

TEST_F(PhantomFrameTest, LabelsAreWrittenInTheirAreas) {
  auto isText = [](const Rgb& p) {
    return IsColour(p, Demo::Style::kAxialPlane, 40) || IsColour(p, Demo::Style::kText, 40);
  };
  EXPECT_GT(picture->Count(8, 4, 320, 72, isText), 150) << "axial title and slice lines";
  const Demo::Layout layout = Demo::MakeLayout(kWidth, kHeight);
  const int top = kHeight - (layout.volume.y + layout.volume.height);
  auto isTitle = [](const Rgb& p) { return IsColour(p, Demo::Style::kTitle, 40); };
  EXPECT_GT(picture->Count(layout.volume.x + 8, top + 4, layout.volume.x + 60, top + 34, isTitle), 20) << "3D title";
  // The ruler's length in mm below its middle.
  const auto& all = phantom->Dentition().All();
  Vec3 left(1e9, 0, 0), right(-1e9, 0, 0);
  for (const Demo::Tooth& t : all)
    if (!t.upper) {
      const Vec3 p = ArchPoint(UnitOfAlong(t.along));
      if (p[0] < left[0]) left = p;
      if (p[0] > right[0]) right = p;
    }
  const PicturePoint below = (*axial)((left + right) * 0.5 - Vec3(0.0, 5.5, 0.0));
  EXPECT_GT(picture->Count(below.Column() - 50, below.Row() - 18, below.Column() + 50, below.Row() + 8,
                           [](const Rgb& p) { return IsColour(p, Demo::Style::kRuler, 30); }),
            15);
}

// The README shows docs/demo.png as what the program draws.
TEST_F(PhantomFrameTest, IsThePictureShownInTheDocs) {
  const PictureFile docs(QUORVEL_DOCS_PICTURE);
  ASSERT_TRUE(docs.Ok());
  ASSERT_EQ(docs.Width(), kWidth);
  ASSERT_EQ(docs.Height(), kHeight);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Rgb p = docs.At(x, y), q = picture->At(x, y);
      differing += std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)}) > 24 ? 1 : 0;
    }
  EXPECT_LT(differing, kWidth * kHeight / 200)
      << "docs/demo.png is out of date: run make demo and copy demo.png to docs/";
}

// The top edges of the box and the upper parts of its vertical edges are in
// front of the slice; so is the outline of the axial plane.
TEST_F(PhantomFrameTest, VolumeViewShowsTheBoxEdgesAndTheAxialPlane) {
  const Vec3 h = phantom->Size() * 0.5 - Vec3(1.0, 1.0, 1.0);
  const Vec3 edgeMiddles[] = {{0, -h[1], h[2]}, {0, h[1], h[2]}, {-h[0], 0, h[2]}, {h[0], 0, h[2]},
                              {-h[0], -h[1], h[2] * 0.7}, {h[0], -h[1], h[2] * 0.7}, {h[0], h[1], h[2] * 0.7},
                              {-h[0], h[1], h[2] * 0.7}};
  for (const Vec3& m : edgeMiddles) {
    SCOPED_TRACE(testing::Message() << m[0] << " " << m[1] << " " << m[2]);
    const PicturePoint p = (*volume)(m);
    EXPECT_TRUE(picture->HasColourNear(p.Column(), p.Row(), 2, Demo::Style::kBox, 40));
  }
  const double z = -phantom->Size()[2] * 0.5 + (Demo::kInitialSlice + 0.5) * Demo::kSlicePixel;
  const Vec3 s = phantom->Size() * 0.5;
  for (const Vec3& m : {Vec3(0, -s[1], z), Vec3(0, s[1], z), Vec3(-s[0], 0, z), Vec3(s[0], 0, z)}) {
    SCOPED_TRACE(testing::Message() << "plane " << m[0] << " " << m[1]);
    const PicturePoint p = (*volume)(m);
    EXPECT_TRUE(picture->HasColourNear(p.Column(), p.Row(), 2, Demo::Style::kAxialPlane, 40));
  }
}

}  // namespace
}  // namespace DemoTest
