#include <quorvel/GlCamera.h>

#include "VectorPrinting.h"

#include <gtest/gtest.h>

using Vec3 = Camera::Vec3;

TEST(Camera, DefaultsAndUnitDirections) {
  Quorvel::GlCamera camera;  // from (0, 1, 0) at the origin, z up: looking along −y, its right is −x
  EXPECT_EQ(camera.Eye(), Vec3(0, 1, 0));
  EXPECT_EQ(camera.Focus(), Vec3(0, 0, 0));
  EXPECT_EQ(camera.Up(), Vec3(0, 0, 1));
  EXPECT_EQ(camera.Clip(), Camera::Vec2(0, 1));
  EXPECT_EQ(camera.FOV(), Camera::Vec2(0.7, 0.7));
  EXPECT_EQ(camera.Zoom(), 1);
  EXPECT_EQ(camera.DirectionRight(), Vec3(-1, 0, 0));
  camera.SetEye(Vec3(3, 1, 4));
  camera.SetFocus(Vec3(0, 1, 0));
  camera.SetDirectionUp(Vec3(0, 0, 5));  // kept as set, not normalised
  EXPECT_EQ(camera.DirectionEye(), Vec3(0.6, 0, 0.8));
  EXPECT_EQ(camera.DirectionUp(), Vec3(0, 0, 1));
  EXPECT_EQ(camera.DirectionRight(), Vec3(0, 1, 0));  // (0, 0, 5) × (3, 0, 4) = (0, 15, 0)
}
