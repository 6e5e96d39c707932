// The rules and editor events as a technician meets them: clicks on the real widgets, the
// handlers they run, the message boxes they raise.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <string>

#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "tests/window/counting_form.h"

namespace kvt {
namespace {

using testing::CountingForm1;

constexpr const char* kIndicatorMessage =
    "NORMAL INDICATOR INTENSITY must be set equal to\n"
    "or greater than NORMAL BACKLIGHTING INTENSITY.";
constexpr const char* kBackLightMessage =
    "NORMAL BACKLIGHTING INTENSITY must be set equal to\n"
    "or less than NORMAL INDICATOR INTENSITY.";
constexpr const char* kFeatureTitle = "INDEPENDENT LIGHTING SWITCH ASSIGNMENT";

// A started window: created, loaded, shown.
class Editor : public ::testing::Test {
 protected:
  Editor() {
    form.load();
    form.show();
  }

  QListWidget& list(int n) {
    return *form.findChild<QListWidget*>(QStringLiteral("List%1").arg(n));
  }
  void click(int n, int row) {
    QListWidget& widget = list(n);
    widget.scrollToItem(widget.item(row));
    QTest::mouseClick(widget.viewport(), Qt::LeftButton, Qt::NoModifier,
                      widget.visualItemRect(widget.item(row)).center());
  }
  void click_check1() {
    auto* box = form.findChild<QCheckBox*>("Check1");
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
  }
  bool shown(const QString& name) { return !form.findChild<QWidget*>(name)->isHidden(); }
  const auto& messages() { return form.recorder().messages(); }

  CountingForm1 form;
};

TEST_F(Editor, StartsWithBothIntensitiesHundredAndNothingElseChosen) {
  EXPECT_EQ(form.selected(kIndicatorList), 0);
  EXPECT_EQ(form.selected(kBackLightList), 0);
  EXPECT_EQ(form.config().indpercent, 10);
  EXPECT_EQ(form.config().blpercent, 10);
  EXPECT_EQ(form.config().feature, 0);
  EXPECT_FALSE(form.ticked());
  EXPECT_TRUE(messages().empty());
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(form.selected(n), kNoSelection) << n;
}

struct ClickCase {
  const char* name;
  int indicator_before, backlight_before;  // set by the program, silently
  int list, row;                           // what the technician clicks
  const char* message;                     // nullptr: none
  int indicator_after, backlight_after;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class IntensityClicks : public Editor, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(IntensityClicks, KeepTheIndicatorAtOrAboveTheBackLight) {
  const ClickCase& c = GetParam();
  form.select(kBackLightList, 7);
  form.select(kIndicatorList, c.indicator_before);
  form.select(kBackLightList, c.backlight_before);
  ASSERT_TRUE(messages().empty());

  click(c.list, c.row);

  ASSERT_EQ(messages().size(), c.message ? 1u : 0u);
  if (c.message) {
    EXPECT_EQ(messages()[0].text, c.message);
  }
  EXPECT_EQ(form.selected(kIndicatorList), c.indicator_after);
  EXPECT_EQ(form.selected(kBackLightList), c.backlight_after);
  EXPECT_EQ(form.config().indpercent, kIntensityTable[c.indicator_after].value);
  EXPECT_EQ(form.config().blpercent, kIntensityTable[c.backlight_after].value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntensityClicks,
    ::testing::Values(
        ClickCase{"IndicatorBelowBackLight", 0, 0, kIndicatorList, 3, kIndicatorMessage, 3, 3},
        ClickCase{"BackLightAboveIndicator", 3, 3, kBackLightList, 0, kBackLightMessage, 3, 3},
        ClickCase{"EqualIndicator", 2, 2, kIndicatorList, 2, nullptr, 2, 2},
        ClickCase{"EqualBackLight", 2, 5, kBackLightList, 2, nullptr, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct StoredCase {
  const char* name;
  std::int16_t indicator_code, backlight_code;
  int indicator_row, backlight_row;
  std::size_t messages;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class StoredIntensities : public Editor, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredIntensities, AreShownThroughTheLists) {
  const StoredCase& c = GetParam();
  form.config().indpercent = c.indicator_code;
  show_ind_percent(form.config(), form);
  form.config().blpercent = c.backlight_code;
  show_bl_percent(form.config(), form);
  EXPECT_EQ(form.selected(kIndicatorList), c.indicator_row);
  EXPECT_EQ(form.selected(kBackLightList), c.backlight_row);
  EXPECT_EQ(messages().size(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredIntensities,
                         ::testing::Values(StoredCase{"Indicator4", 4, 4, 4, 4, 0},
                                           StoredCase{"Indicator9IsHundred", 9, 10, 0, 0, 0},
                                           StoredCase{"Indicator12IsHundred", 12, 10, 0, 0, 1},
                                           StoredCase{"Pair3And6", 3, 6, 5, 5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Editor, TickingWithoutABlMrSwitchIsTakenBack) {
  click_check1();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, kFeatureTitle);
  EXPECT_FALSE(form.ticked());
  EXPECT_EQ(form.config().feature, 0);
}

TEST_F(Editor, MovingTheOnlyBlMrSwitchAwayUnticks) {
  click(module_list(7), kBlMrPosition);
  click_check1();
  ASSERT_TRUE(form.ticked());
  EXPECT_EQ(form.config().feature, 1);

  click(module_list(7), 2);

  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, kFeatureTitle);
  EXPECT_FALSE(form.ticked());
  EXPECT_EQ(form.config().feature, 0);
  EXPECT_TRUE(shown("List14"));
}

TEST_F(Editor, NaHidesTheChannelListAndAModuleBringsItBackAsItWas) {
  click(module_list(3), 5);
  click(channel_list(3), 6);
  const int channel_runs = form.list_runs[channel_list(3)];

  click(module_list(3), kNaPosition);
  EXPECT_FALSE(shown("List6"));
  click(module_list(3), 9);

  EXPECT_TRUE(shown("List6"));
  EXPECT_EQ(form.selected(channel_list(3)), 6);
  EXPECT_EQ(form.list_runs[channel_list(3)], channel_runs);
}

TEST_F(Editor, AChannelClickShowsAHiddenDesignation) {
  form.set_box_visible(designation_box(4), false);
  click(module_list(4), 1);
  EXPECT_FALSE(shown("Text6"));
  click(channel_list(4), 0);
  EXPECT_TRUE(shown("Text6"));
}

// Module "P" with channel "10" adds up to 159, which the panel takes as "BL/MR". Clicked in
// either order, the pair is refused with its box and the channel left unselected; SAVE and PRINT
// then refuse the switch as incomplete.
class P10Clicks : public Editor, public ::testing::WithParamInterface<bool> {};

TEST_P(P10Clicks, AreRefusedAndLeaveTheSwitchIncomplete) {
  const bool channel_last = GetParam();
  if (channel_last) {
    click(module_list(6), kModulePPosition);
    click(channel_list(6), kChannel10Position);
  } else {
    click(module_list(6), 3);
    click(channel_list(6), kChannel10Position);
    click(module_list(6), kModulePPosition);
  }
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, "SWITCH ASSIGNMENT");
  EXPECT_EQ(messages()[0].text,
            "MODULE P CHANNEL 10 CANNOT BE STORED: THE SWITCH PANEL TAKES ITS CODE AS BL/MR.");
  EXPECT_EQ(form.selected(module_list(6)), kModulePPosition);
  EXPECT_EQ(form.selected(channel_list(6)), kNoSelection);
  EXPECT_TRUE(list(channel_list(6)).selectedItems().isEmpty());
  EXPECT_TRUE(shown("List12"));

  for (int k = 1; k <= kSwitchCount; ++k) {
    if (k != 6) click(module_list(k), kNaPosition);
  }
  form.set_text(kPanelNameBox, "LOBBY");
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto* name_box = form.findChild<QWidget*>(QStringLiteral("Text2"));
  for (const char* command : {"WRITE_FILE", "PRINT"}) {
    form.set_status_text("");
    if (std::string(command) == "PRINT") {
      name_box->setFocus(Qt::TabFocusReason);
      QTest::keyClick(name_box, Qt::Key_P, Qt::ControlModifier);
    } else {
      form.findChild<QAbstractButton*>(command)->click();
    }
    EXPECT_EQ(form.text(1), "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA")
        << command;
  }
  EXPECT_TRUE(form.recorder().requests().empty());
  EXPECT_EQ(form.printer_requests, 0);
}

INSTANTIATE_TEST_SUITE_P(Orders, P10Clicks, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "ChannelLast" : "ModuleLast");
});

}  // namespace
}  // namespace kvt
