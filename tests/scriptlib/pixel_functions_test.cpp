// GetAlpha and GetPixel: a texel of an image's picture read from a script.
#include <gtest/gtest.h>

#include "../elements/picture_fixture.h"
#include "elements/image.h"
#include "elements/shape.h"
#include "script_root_fixture.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::Scene;
using scene::TOxElement;

// The picture store is made before the root and goes after it: the root's images use it.
struct WithPictures {
  elements::testing::PictureStore pictures;
};

struct PixelFunctions : WithPictures, ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    TOxElement::CreateIn<TOxShape>(*screen)->Id = "Box";
    // Two 4 x 4 patterns side by side; their texels differ in every channel.
    pictures.Put("two.bmp", 8, 4, [](int x, int y) {
      return x < 4 ? 0x80112233u + static_cast<std::uint32_t>(y) : 0x10AABBCCu;
    });
    pictures.PutGrid("two.an", 2, 1);
    image->Id = "Pic";
    image->SetImImage("two.bmp");
  }

  TOxImage* image = TOxElement::CreateIn<TOxImage>(*screen);
};

TEST_F(PixelFunctions, AlphaAndColourComeApartFromTheTexelOfTheShownPattern) {
  Run("A := GetAlpha(MAIN.PIC, 1, 2); P := GetPixel(MAIN.PIC, 1, 2)");
  EXPECT_EQ(Read("A").kind, script::Kind::Int32);
  EXPECT_EQ(Read("A").i, 0x80);
  EXPECT_EQ(Read("P").kind, script::Kind::Int32);
  EXPECT_EQ(Read("P").i, 0x352211) << "red in the low byte, blue in the third";

  image->SetAnim(1);
  Run("A := GetAlpha(MAIN.PIC, 1, 2); P := GetPixel(MAIN.PIC, 1, 2)");
  EXPECT_EQ(Read("A").i, 0x10);
  EXPECT_EQ(Read("P").i, 0xCCBBAA);
}

TEST_F(PixelFunctions, WhatHasNoLoadedPictureGivesAByteZeroAndWrongArgumentsNoResult) {
  pictures.PutOpaque("late.bmp", 4, 4);
  pictures.store.SetImLoadNow(false);
  auto* late = TOxElement::CreateIn<TOxImage>(*screen);
  late->Id = "Late";
  late->SetImImage("late.bmp");
  TOxElement::CreateIn<TOxImage>(*screen)->Id = "Empty";
  Run("A := GetAlpha(MAIN.LATE, 0, 0); B := GetPixel(MAIN.EMPTY, 0, 0); "
      "C := GetAlpha(MAIN.BOX, 0, 0); D := GetPixel(MAIN, 0, 0)");
  for (const char* name : {"A", "B", "C", "D"}) {
    EXPECT_EQ(Read(name).kind, script::Kind::UInt8) << name;
    EXPECT_EQ(Read(name).i, 0) << name;
  }
  EXPECT_EQ(late->Picture()->Image(), nullptr) << "reading a pixel loads nothing";

  ::testing::internal::CaptureStderr();
  pool.SetLogErrors(true);
  Run("E := GetAlpha(MAIN.PIC, 0); F := GetPixel(MAIN.PIC, 0, 0, 0); G := GetAlpha(5, 0, 0)");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "nothing is refused";
  for (const char* name : {"E", "F", "G"}) EXPECT_EQ(Read(name).kind, script::Kind::Empty) << name;
}

}  // namespace
}  // namespace ox::scriptlib
