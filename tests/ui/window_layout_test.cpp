// The window's description as data: the order, the overlaps it allows, its tab stops, the texts
// the font must cover, and the droplets that its template makes on a real stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/game.h"
#include "ui/stage/stage.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const ControlDescription& c : MainWindowControls) names.emplace_back(c.name);
  return names;
}

// Rows shared by two places, counted down the page; 0 when they do not meet.
int SharedRows(const ControlPlace& a, const ControlPlace& b) {
  const int across = std::min(a.right(), b.right()) - std::max(a.left, b.left);
  const int down = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return across > 0 && down > 0 ? down : 0;
}

TEST(WindowLayout, ControlsComeInCreationOrder) {
  // Later controls lie above earlier ones, so the order decides what covers what.
  EXPECT_EQ(Names(), (std::vector<std::string>{"标签5", "标签4", "标签3", "标签2", "标签1", "按钮1",
                                               "动画物体2", "动画框1"}));
}

TEST(WindowLayout, OnlyTheTwoLabelPairsOverlap) {
  struct Overlap {
    const char* lower;
    const char* upper;
    int rows;
  };
  const Overlap allowed[] = {{"标签4", "标签1", 3}, {"标签3", "标签5", 2}};
  for (std::size_t i = 0; i < MainWindowControls.size(); ++i) {
    for (std::size_t j = i + 1; j < MainWindowControls.size(); ++j) {
      const ControlDescription& a = MainWindowControls[i];
      const ControlDescription& b = MainWindowControls[j];
      if (!a.visible || !b.visible) continue;
      int expected = 0;
      for (const Overlap& o : allowed) {
        if ((a.name == o.lower && b.name == o.upper) || (a.name == o.upper && b.name == o.lower)) {
          expected = o.rows;
        }
      }
      EXPECT_EQ(SharedRows(a.place, b.place), expected) << a.name << " and " << b.name;
    }
  }
}

TEST(WindowLayout, OnlyTheButtonAndTheStageTakeTheFocusByTab) {
  std::set<std::string> tabStops;
  for (const ControlDescription& c : MainWindowControls) {
    if (c.tabStop) tabStops.emplace(c.name);
  }
  EXPECT_EQ(tabStops, (std::set<std::string>{"按钮1", "动画框1"}));
}

TEST(WindowLayout, FindControlByName) {
  struct Case {
    const char* name;
    bool found;
  };
  for (const Case& c : {Case{"标签1", true}, Case{"动画框1", true}, Case{"动画物体2", true},
                        Case{"标签6", false}, Case{"", false}}) {
    const ControlDescription* control = FindControl(c.name);
    ASSERT_EQ(control != nullptr, c.found) << c.name;
    if (control) {
      EXPECT_EQ(control->name, c.name);
    }
  }
}

TEST(WindowLayout, EveryShownTextIsListedForTheFont) {
  const std::vector<std::string> texts = TextsTheWindowCanShow();
  const auto listed = [&texts](std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  };
  for (const ControlDescription& c : MainWindowControls) {
    if (!c.text.empty()) {
      EXPECT_TRUE(listed(c.text)) << c.name;
    }
  }
  EXPECT_TRUE(listed(CreditLine));
  EXPECT_TRUE(listed(OutOfWaterMessage));
  // Water and level can be any 32-bit number.
  const std::string numbers = std::to_string(-1234567890) + "9";
  for (char digit : numbers) {
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [digit](const std::string& t) {
      return t.find(digit) != std::string::npos;
    })) << digit;
  }
}

// A droplet made from the template on a real stage, in each direction the game turns it to.
TEST(DropletTemplate, DropletsTakeTheTemplatesSettings) {
  const ObjectTemplate droplet(DropletTemplateProperties());
  ASSERT_NE(droplet.picture(), nullptr) << "the droplet picture must decode";
  EXPECT_EQ(droplet.picture()->width, 17);
  EXPECT_EQ(droplet.picture()->height, 29);
  ASSERT_TRUE(droplet.picture()->transparent.has_value());
  EXPECT_EQ(*droplet.picture()->transparent, MakeRgb(255, 255, 255));

  struct Case {
    std::int32_t turn;
    std::int32_t angle;
    int width;
    int height;
  };
  const Case cases[] = {{0, 0, 17, 29}, {90, 90, 29, 17}, {180, 180, 17, 29}, {-90, 270, 29, 17}};
  for (const Case& c : cases) {
    Stage stage(362, 362, MakeRgb(212, 208, 200));
    const ObjectId id = stage.CreateObject(&droplet, 100, 100, true);
    if (c.turn != 0) stage.TurnObject(id, c.turn);
    const std::optional<ObjectView> view = stage.View(id);
    ASSERT_TRUE(view.has_value()) << c.turn;
    EXPECT_EQ(view->type, 10) << c.turn;
    EXPECT_EQ(view->layer, 1) << c.turn;
    EXPECT_TRUE(view->collideAllowed) << c.turn;
    EXPECT_TRUE(view->visible) << "the visible flag comes from CreateObject, not the template";
    EXPECT_EQ(view->angle, c.angle) << c.turn;
    ASSERT_NE(view->shown, nullptr) << c.turn;
    EXPECT_EQ(view->shown->width, c.width) << c.turn;
    EXPECT_EQ(view->shown->height, c.height) << c.turn;
  }
}

}  // namespace
}  // namespace vintello
