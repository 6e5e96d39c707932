#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <cstdlib>

#include "tests/window/counting_form.h"

namespace {

using kvt::testing::CountingForm1;

// Renders the window as it stands after start-up. With KVT_SCREENSHOT set, the picture is also
// saved there (docs/screenshot.png is made this way).
QImage start_up_picture() {
  CountingForm1 form;
  form.load();
  form.show();
  const QImage picture = form.grab().toImage();
  return picture;
}

struct PixelCase {
  const char* where;
  QPoint at;
  QColor colour;
};

void expect_classic_look(const QImage& picture) {
  ASSERT_EQ(picture.size(), QSize(736, 528));
  const PixelCase cases[] = {
      {"window background", {4, 520}, QColor(212, 208, 200)},
      {"white margin of the picture", {208, 300}, QColor(255, 255, 255)},
      {"outer line of the bevel", {210, 300}, QColor(59, 55, 53)},
      {"plate between the switch rows", {364, 152}, QColor(96, 94, 93)},
      {"header marker", {236, 420}, QColor(128, 255, 255)},
      {"leader line", {180, 408}, QColor(0, 0, 0)},
      {"switch label background", {250, 123}, QColor(128, 128, 128)},
      {"module list background", {290, 126}, QColor(255, 255, 255)},
      {"designation box background", {345, 97}, QColor(255, 255, 255)},
      {"selected intensity", {580, 416}, QColor(10, 36, 106)},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(picture.pixelColor(c.at).name(), c.colour.name()) << c.where;
  }
}

TEST(WindowLook, PaintsTheClassicColoursAndThePanelPicture) {
  const QImage picture = start_up_picture();
  expect_classic_look(picture);
  if (const char* path = std::getenv("KVT_SCREENSHOT")) {
    picture.save(QString::fromLocal8Bit(path));
  }
}

// A dark desktop theme changes the application's palette; the window keeps its own colours.
TEST(WindowLook, KeepsItsColoursOnADarkDesktop) {
  const QPalette desktop = QApplication::palette();
  QPalette dark(QColor(40, 40, 40), QColor(30, 30, 30));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  const QImage picture = start_up_picture();
  QApplication::setPalette(desktop);
  expect_classic_look(picture);
}

struct StatusCase {
  kvt::StatusColour colour;
  QColor background;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.background.name().toStdString(); }

class StatusBoxLook : public ::testing::TestWithParam<StatusCase> {};

// The longest status text must wrap inside the box and its background take the colour asked for.
TEST_P(StatusBoxLook, ShowsTheStatusColourBehindWrappedText) {
  CountingForm1 form;
  form.load();
  form.set_status_text("DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA");
  form.set_status_colour(GetParam().colour);
  form.set_status_visible(true);
  form.show();
  const QImage picture = form.grab().toImage();
  EXPECT_EQ(picture.pixelColor(470, 78).name(), GetParam().background.name());
}

INSTANTIATE_TEST_SUITE_P(EveryColour, StatusBoxLook,
                         ::testing::Values(StatusCase{kvt::StatusColour::Yellow,
                                                      QColor(255, 255, 0)},
                                           StatusCase{kvt::StatusColour::Green, QColor(0, 255, 0)},
                                           StatusCase{kvt::StatusColour::Red, QColor(255, 0, 0)}));

}  // namespace
