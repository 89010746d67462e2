// The value rules of properties whose setters transform what they store.
#include <gtest/gtest.h>

#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"

namespace ox::scene {
namespace {

using namespace ox::elements;

struct Properties : ::testing::Test {
  void SetUp() override { RegisterElementClasses(); }
  TOxDB root;
  TOxScreen* screen = TOxElement::CreateIn<TOxScreen>(root);

  static void Assign(TOxElement& e, const char* name, PropValue v) {
    const PropertyInfo* p = e.Class().FindProperty(name);
    ASSERT_NE(p, nullptr) << name;
    p->set(e, v);
  }
  static PropValue Read(const TOxElement& e, const char* name) {
    return e.Class().FindProperty(name)->get(e);
  }
};

TEST_F(Properties, ScaleAndAngleAreKeptInThousandths) {
  auto* image = TOxElement::CreateIn<TOxImage>(*screen);
  EXPECT_EQ(AsFloat(Read(*image, "Scale")), 1.0L);
  Assign(*image, "Scale", 0.12345L);
  EXPECT_EQ(image->ScaleThousandths(), 123);
  EXPECT_NEAR(static_cast<double>(AsFloat(Read(*image, "scale"))), 0.123, 1e-15);
  Assign(*image, "Angle", 0.0025L);
  EXPECT_EQ(image->AngleThousandths(), 2) << "2.5 thousandths round half to even";
  EXPECT_THROW(Assign(*image, "Scale", 3e6L), RangeError);
}

TEST_F(Properties, ColourAndAlphaAreTwoViewsOfOneTint) {
  auto* image = TOxElement::CreateIn<TOxImage>(*screen);
  Assign(*image, "hxTrans", std::int64_t{128});
  Assign(*image, "hxColor", std::int64_t{0xFF0000});
  EXPECT_EQ(image->Colour(), 0x80FF0000u);
  Assign(*image, "hxColor", std::int64_t{0x12345678});
  EXPECT_EQ(AsInteger(Read(*image, "hxColor")), 0x345678);
  EXPECT_EQ(AsInteger(Read(*image, "hxTrans")), 128);
  Assign(*image, "hxTrans", std::int64_t{0x1FF});
  EXPECT_EQ(image->Colour() >> 24, 0xFFu) << "a byte keeps its low bits";

  auto* text = TOxElement::CreateIn<TOxText>(*screen);
  Assign(*text, "hxTrans2", std::int64_t{255});
  Assign(*text, "hxColor2", std::int64_t{0x00FF00});
  EXPECT_EQ(text->BottomColour(), 0xFF00FF00u);
  EXPECT_EQ(text->TopColour(), 0xFFFFFFFFu);
  auto* shape = TOxElement::CreateIn<TOxShape>(*screen);
  Assign(*shape, "hxColor", std::int64_t{0});
  EXPECT_EQ(shape->Colour(), 0xFF000000u);
}

TEST_F(Properties, TheImageListsCellSizeFollowsTheBox) {
  auto* list = TOxElement::CreateIn<TOxImList>(*screen);
  Assign(*list, "SizeX", std::int64_t{330});
  Assign(*list, "ColCount", std::int64_t{3});
  Assign(*list, "Space", std::int64_t{15});
  EXPECT_EQ(list->ElWidth(), 0) << "no cells while RowCount is 0";
  Assign(*list, "RowCount", std::int64_t{2});
  Assign(*list, "SizeY", std::int64_t{10});
  EXPECT_EQ(list->ElWidth(), 100);
  EXPECT_EQ(list->ElHeight(), 0) << "never below 0";
  Assign(*list, "ElWidth", std::int64_t{7});
  EXPECT_EQ(list->ElWidth(), 100) << "writing the cell size does nothing";
}

TEST_F(Properties, EveryClassStartsWithTheBaseProperties) {
  const char* base[] = {"Key", "Id", "X", "Y", "Vis"};
  const std::size_t counts[] = {33, 23, 38, 23, 28, 8, 14, 18, 25, 33, 44};
  const auto& classes = ClassRegistry::Instance().Classes();
  ASSERT_EQ(classes.size(), 11u);
  for (std::size_t c = 0; c < classes.size(); ++c) {
    EXPECT_EQ(classes[c]->properties.size(), counts[c]) << classes[c]->name;
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(classes[c]->properties[i].name, base[i]);
  }
  EXPECT_EQ(classes[0]->name, "TOxDB");
  EXPECT_EQ(classes[2]->shortName, "Image");
}

TEST_F(Properties, ResourcePropertiesAreThePictureAndFontNames) {
  std::vector<std::string> names;
  for (const auto* c : ClassRegistry::Instance().Classes())
    for (const auto& p : c->properties)
      if (IsResourceProperty(p)) names.push_back(c->shortName + "." + p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Screen.ImBack", "Image.imImage", "Anim.ImBack",
                                             "Text.Font"}));
}

}  // namespace
}  // namespace ox::scene
