// The stage's objects: identifiers, the layered list, templates, copies, pictures and unknown
// identifiers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/stage/stage_test_support.h"
#include "ui/stage/stage.h"

namespace vintello {
namespace {

using test::CreateOpaque;
using test::EncodeBmp;
using test::EventLog;
using test::Filled;
using test::Sketch;

TEST(StageIdentifiers, CountFromOneAndAreNeverReused) {
  Stage stage(50, 50, test::kGrey);
  EXPECT_EQ(stage.CreateObject(nullptr, 0, 0, true), 1);
  EXPECT_EQ(stage.CreateObject(nullptr, 0, 0, true), 2);
  EXPECT_EQ(stage.CopyObject(1, 5, 5), 3);
  stage.DestroyObject(3);
  stage.DestroyObject(2);
  EXPECT_EQ(stage.CreateObject(nullptr, 0, 0, true), 4);
  EXPECT_EQ(stage.CopyObject(4, 0, 0), 5);
  EXPECT_EQ(stage.ObjectIdsInListOrder(), (std::vector<ObjectId>{1, 4, 5}));
  EXPECT_EQ(stage.CountObjects(), 3);
}

// One step of building a list: make a bare object, copy one, move one to a layer, destroy one.
struct ListStep {
  enum Kind { Create, Copy, SetLayer, Destroy } kind;
  ObjectId id = 0;
  std::int32_t layer = 0;
};

struct ListCase {
  std::string name;
  std::vector<ListStep> steps;
  std::vector<ObjectId> expected;
};

TEST(StageListOrder, FollowsTheLayerInsertionRule) {
  using S = ListStep;
  const std::vector<ListCase> cases = {
      {"one layer keeps the order of entry", {{S::Create}, {S::Create}, {S::Create}}, {1, 2, 3}},
      {"a raised layer goes to the end",
       {{S::Create}, {S::Create}, {S::Create}, {S::SetLayer, 1, 1}},
       {2, 3, 1}},
      {"joining a layer goes after its members",
       {{S::Create}, {S::Create}, {S::Create}, {S::SetLayer, 1, 1}, {S::SetLayer, 3, 1}},
       {2, 1, 3}},
      {"setting the same layer changes nothing",
       {{S::Create}, {S::Create}, {S::Create}, {S::SetLayer, 1, 0}, {S::SetLayer, 2, 0}},
       {1, 2, 3}},
      {"a new object goes before higher layers",
       {{S::Create}, {S::Create}, {S::SetLayer, 1, 5}, {S::SetLayer, 2, 5}, {S::Create}},
       {3, 1, 2}},
      {"a copy enters by its layer, after its equals",
       {{S::Create}, {S::SetLayer, 1, 5}, {S::Create}, {S::Copy, 1}, {S::Copy, 2}},
       {2, 4, 1, 3}},
      {"a lowered layer goes after the lower-or-equal ones and before higher ones",
       {{S::Create},
        {S::Create},
        {S::Create},
        {S::SetLayer, 1, 5},
        {S::SetLayer, 2, 5},
        {S::SetLayer, 2, 0}},
       {3, 2, 1}},
      {"negative layers come first",
       {{S::Create}, {S::Create}, {S::SetLayer, 2, -3}, {S::Create}, {S::SetLayer, 3, -7}},
       {3, 2, 1}},
      {"destroying keeps the others in order",
       {{S::Create}, {S::Create}, {S::Create}, {S::Destroy, 2}, {S::Copy, 1}},
       {1, 3, 4}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage(50, 50, test::kGrey);
    for (const ListStep& step : c.steps) {
      switch (step.kind) {
        case ListStep::Create:
          stage.CreateObject(nullptr, 0, 0, true);
          break;
        case ListStep::Copy:
          stage.CopyObject(step.id, 0, 0);
          break;
        case ListStep::SetLayer:
          stage.SetObjectLayer(step.id, step.layer);
          break;
        case ListStep::Destroy:
          stage.DestroyObject(step.id);
          break;
      }
    }
    EXPECT_EQ(stage.ObjectIdsInListOrder(), c.expected);
  }
}

TEST(StageObjects, BareObjectHasNoPictureAndDefaults) {
  Stage stage(50, 50, test::kGrey);
  const ObjectId id = stage.CreateObject(nullptr, 7, -3, false);
  const ObjectView v = *stage.View(id);
  EXPECT_EQ(v.type, 0);
  EXPECT_EQ(v.layer, 0);
  EXPECT_FALSE(v.collideAllowed);
  EXPECT_FALSE(v.visible);
  EXPECT_EQ(v.angle, 0);
  EXPECT_FALSE(v.advancing);
  EXPECT_EQ(v.shown, nullptr);
  EXPECT_EQ(stage.GetObjectLeft(id), 7);
  EXPECT_EQ(stage.GetObjectTop(id), -3);
}

// Operations on identifiers that name nothing: nothing changes, nothing is raised.
TEST(StageObjects, UnknownIdentifiersDoNothing) {
  const std::vector<std::uint8_t> red = EncodeBmp(Filled(3, 3, test::kRed));
  const std::vector<std::pair<std::string, std::function<void(Stage&, ObjectId)>>> operations = {
      {"SetObjectType", [](Stage& s, ObjectId id) { s.SetObjectType(id, 9); }},
      {"SetObjectLayer", [](Stage& s, ObjectId id) { s.SetObjectLayer(id, 9); }},
      {"SetCollideAllowed", [](Stage& s, ObjectId id) { s.SetCollideAllowed(id, true); }},
      {"SetObjectPicture", [&red](Stage& s, ObjectId id) { s.SetObjectPicture(id, red); }},
      {"TurnObject", [](Stage& s, ObjectId id) { s.TurnObject(id, 90); }},
      {"自动前进", [](Stage& s, ObjectId id) { s.自动前进(id, AdvanceSettings{}); }},
      {"DestroyObject", [](Stage& s, ObjectId id) { s.DestroyObject(id); }},
      {"CopyObject", [](Stage& s, ObjectId id) { EXPECT_EQ(s.CopyObject(id, 1, 1), 0); }},
  };
  for (const ObjectId unknown : {0, -1, 999}) {
    for (const auto& [name, operation] : operations) {
      SCOPED_TRACE(name + " on " + std::to_string(unknown));
      Stage stage(50, 50, test::kGrey);
      EventLog log(stage);
      const ObjectId only = CreateOpaque(stage, Filled(4, 4, test::kBlue), 2, 3);
      ASSERT_EQ(stage.TakeDirtyRects().size(), 1u);
      operation(stage, unknown);
      EXPECT_EQ(stage.ObjectIdsInListOrder(), std::vector<ObjectId>{only});
      const ObjectView v = *stage.View(only);
      EXPECT_EQ(v.type, 0);
      EXPECT_EQ(v.layer, 0);
      EXPECT_FALSE(v.collideAllowed);
      EXPECT_EQ(v.angle, 0);
      EXPECT_EQ(v.shown->width, 4);
      EXPECT_EQ(v.shown->At(0, 0), test::kBlue);
      EXPECT_FALSE(stage.HasAdvancingObjects());
      EXPECT_TRUE(stage.TakeDirtyRects().empty());
      EXPECT_TRUE(log.entries.empty());
      EXPECT_EQ(stage.GetObjectLeft(unknown), 0);
      EXPECT_EQ(stage.GetObjectTop(unknown), 0);
      EXPECT_FALSE(stage.View(unknown).has_value());
      // No identifier was used up.
      EXPECT_EQ(stage.CreateObject(nullptr, 0, 0, true), 2);
    }
  }
}

TEST(StageObjects, TemplateGivesItsPropertiesButNotItsVisibleFlag) {
  const Picture picture = Sketch({
      ".rr",
      "bgg",
  });
  AnimationObjectProperties p;
  p.AutoGetTransColor = true;
  p.type = 10;
  p.layer = 1;
  p.CollideAllowed = true;
  p.angle = 90;
  p.RotateFollow = true;
  p.turnType = TurnType::LeftRight;
  p.visible = false;
  test::OwnedTemplate owned(EncodeBmp(picture), p);

  Stage stage(50, 50, test::kGrey);
  const ObjectId id = stage.CreateObject(&owned.tmpl, 4, 6, true);
  const ObjectView v = *stage.View(id);
  EXPECT_EQ(v.type, 10);
  EXPECT_EQ(v.layer, 1);
  EXPECT_TRUE(v.collideAllowed);
  EXPECT_EQ(v.angle, 90);
  EXPECT_TRUE(v.visible);
  EXPECT_FALSE(v.advancing);
  ASSERT_NE(v.shown, nullptr);
  // Mirrored left to right, then turned a quarter clockwise.
  const Picture expected = Sketch({
      "gr",
      "gr",
      "b.",
  });
  EXPECT_EQ(v.shown->width, 2);
  EXPECT_EQ(v.shown->height, 3);
  EXPECT_EQ(v.shown->pixels, expected.pixels);
  EXPECT_EQ(v.shown->transparent, test::kWhite);
  // The template's place is not the object's: it stands where it was created.
  EXPECT_EQ(stage.GetObjectLeft(id), 4);
  EXPECT_EQ(stage.GetObjectTop(id), 6);
}

TEST(StageObjects, TemplateDecidesTheTransparentColour) {
  struct Case {
    std::string name;
    bool autoGet;
    std::optional<Rgb> stored;
    std::optional<Rgb> expected;
  };
  const std::vector<Case> cases = {
      {"top left pixel", true, std::nullopt, test::kYellow},
      {"top left pixel wins over the stored colour", true, test::kRed, test::kYellow},
      {"the stored colour", false, test::kRed, test::kRed},
      {"none", false, std::nullopt, std::nullopt},
  };
  const Picture picture = Sketch({"yr", "gb"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnimationObjectProperties p;
    p.AutoGetTransColor = c.autoGet;
    p.TransparentColor = c.stored;
    test::OwnedTemplate owned(EncodeBmp(picture), p);
    ASSERT_NE(owned.tmpl.picture(), nullptr);
    EXPECT_EQ(owned.tmpl.picture()->transparent, c.expected);
    EXPECT_EQ(owned.tmpl.picture()->At(1, 0), test::kRed);
  }
}

TEST(StageObjects, TemplateAngleIsBroughtIntoRange) {
  struct Case {
    std::int32_t stored;
    std::int32_t expected;
  };
  for (const Case c : {Case{-90, 270}, Case{450, 90}, Case{360, 0}, Case{-720, 0}}) {
    SCOPED_TRACE(c.stored);
    AnimationObjectProperties p;
    p.angle = c.stored;
    test::OwnedTemplate owned(EncodeBmp(Filled(2, 1, test::kRed)), p);
    Stage stage(50, 50, test::kGrey);
    EXPECT_EQ(stage.View(stage.CreateObject(&owned.tmpl, 0, 0, true))->angle, c.expected);
  }
}

TEST(StageObjects, TemplateWithUndecodableBytesMakesPicturelessObjects) {
  AnimationObjectProperties p;
  p.AutoGetTransColor = true;
  test::OwnedTemplate owned({'B', 'M', 1, 2, 3}, p);
  EXPECT_EQ(owned.tmpl.picture(), nullptr);
  Stage stage(50, 50, test::kGrey);
  const ObjectId id = stage.CreateObject(&owned.tmpl, 0, 0, true);
  EXPECT_EQ(stage.View(id)->shown, nullptr);
  EXPECT_EQ(stage.ObjectAt(0, 0), 0);
}

TEST(StageObjects, CopyTakesEverythingButIdentifierPlaceAndMotion) {
  auto owned = test::TransparentTemplate(Sketch({".rr", "bgg"}), 10, 3, true);
  Stage stage(50, 50, test::kGrey);
  const ObjectId source = stage.CreateObject(&owned->tmpl, 1, 2, false);
  stage.TurnObject(source, 90);
  stage.自动前进(source, AdvanceSettings{});
  const ObjectId copy = stage.CopyObject(source, 20, 30);

  const ObjectView a = *stage.View(source);
  const ObjectView b = *stage.View(copy);
  EXPECT_EQ(copy, source + 1);
  EXPECT_EQ(b.type, a.type);
  EXPECT_EQ(b.layer, a.layer);
  EXPECT_EQ(b.collideAllowed, a.collideAllowed);
  EXPECT_EQ(b.visible, a.visible);
  EXPECT_EQ(b.angle, 90);
  EXPECT_EQ(b.shown, a.shown);
  EXPECT_EQ(stage.GetObjectLeft(copy), 20);
  EXPECT_EQ(stage.GetObjectTop(copy), 30);
  EXPECT_TRUE(a.advancing);
  EXPECT_FALSE(b.advancing);
  // The copy keeps the source's shaping: another quarter turn brings both to the same angle.
  stage.TurnObject(copy, 90);
  stage.TurnObject(source, 90);
  EXPECT_EQ(stage.View(copy)->shown->pixels, stage.View(source)->shown->pixels);
}

TEST(StageObjects, SetObjectPictureDecodesWithoutTransparency) {
  Stage stage(50, 50, test::kGrey);
  const ObjectId id = stage.CreateObject(nullptr, 0, 0, true);
  stage.SetObjectPicture(id, EncodeBmp(Sketch({"..r", "..g"})));
  const ObjectView v = *stage.View(id);
  ASSERT_NE(v.shown, nullptr);
  EXPECT_EQ(v.shown->width, 3);
  EXPECT_EQ(v.shown->height, 2);
  EXPECT_FALSE(v.shown->transparent.has_value());
  // The white top left pixel is drawn and pressable like any other.
  EXPECT_EQ(stage.ObjectAt(0, 0), id);
  EXPECT_EQ(stage.Pixels()[0], 0xFF000000u | test::kWhite);
}

TEST(StageObjects, UndecodableBytesLeaveNoPicture) {
  std::vector<std::uint8_t> truncated = EncodeBmp(Filled(4, 4, test::kRed));
  truncated.resize(truncated.size() - 5);
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
      {"empty", {}},
      {"unknown format", {'G', 'I', 'F', '8', '9', 'a'}},
      {"truncated bitmap", truncated},
      {"JPEG start alone", {0xFF, 0xD8}},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    Stage stage(10, 10, test::kGrey);
    const ObjectId id = CreateOpaque(stage, Filled(4, 4, test::kRed), 0, 0);
    stage.SetObjectPicture(id, bytes);
    EXPECT_EQ(stage.View(id)->shown, nullptr);
    EXPECT_EQ(stage.ObjectAt(1, 1), 0);
    EXPECT_EQ(stage.Pixels()[11], 0xFF000000u | test::kGrey);
    EXPECT_EQ(stage.CountObjects(), 1);
  }
}

TEST(StageObjects, EqualPicturesAreShared) {
  Stage stage(50, 50, test::kGrey);
  const ObjectId a = CreateOpaque(stage, Filled(5, 5, test::kRed), 0, 0);
  const ObjectId b = CreateOpaque(stage, Filled(5, 5, test::kRed), 10, 0);
  const ObjectId c = CreateOpaque(stage, Filled(5, 5, test::kGreen), 20, 0);
  EXPECT_EQ(stage.View(a)->shown, stage.View(b)->shown);
  EXPECT_NE(stage.View(a)->shown, stage.View(c)->shown);
}

}  // namespace
}  // namespace vintello
