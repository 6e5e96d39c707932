#include "sheet/configuration_sheet.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>

#include "model/setting_words.h"
#include "sheet/fitted_text.h"
#include "sheet/sheet_font.h"
#include "sheet/sheet_texts.h"

namespace kvt {
namespace {

// The page is laid out in points (1/72 inch), whatever the device's resolution. Font sizes are
// pixel sizes in these units, so that they scale with the page as the boxes do.
constexpr int kTitleSize = 24;
constexpr int kTextSize = 11;
constexpr int kLabelSize = 8;
constexpr int kFooterSize = 8;
constexpr int kTitleSmallest = 12;
constexpr int kDesignationLargest = 22;
constexpr int kDesignationSmallest = 9;
// Room for two lines of the title in its largest size, and a little space under them.
constexpr double kTitleHeight = 56;
constexpr double kTitleSpace = 8;
constexpr double kFeaturesHeight = 96;
constexpr double kFooterHeight = 24;
constexpr double kGap = 12;
constexpr double kPadding = 6;
constexpr double kButtonWidth = 180;
constexpr double kSettingHeight = 18;
constexpr double kFeatureValueColumn = 150;
constexpr int kColumns = 2;
constexpr int kRows = kSwitchCount / kColumns;

// A designation in the largest letters that fit its part of the button, on as many lines as
// that part holds, never smaller than a label can be read in. A box still holding the text the
// window starts with was never filled in, so the button is left blank.
void draw_designation(QPainter& painter, const QRectF& box, const std::string& designation) {
  if (designation == setting_words::kStartDesignation) return;
  const FittedText text = fit_text(painter, QString::fromUtf8(designation), box.size(),
                                   {kDesignationLargest, kDesignationSmallest, true});
  draw_fitted(painter, box, text);
}

void draw_button(QPainter& painter, const QRectF& box, int k, const SwitchView& view) {
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(box, 6, 6);

  const QRectF inside = box.adjusted(kPadding, kPadding, -kPadding, -kPadding);
  painter.setFont(sheet_font(kLabelSize));
  painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop,
                   QString::fromUtf8(sheet_texts::switch_label(k)));

  const QRectF setting(inside.left(), inside.bottom() - kSettingHeight, inside.width(),
                       kSettingHeight);
  painter.setFont(sheet_font(kTextSize));
  painter.drawText(setting, Qt::AlignCenter, QString::fromUtf8(view.setting));
  painter.drawLine(QPointF(inside.left(), setting.top()), QPointF(inside.right(), setting.top()));

  const QRectF designation(inside.left(), inside.top() + kLabelSize + 2, inside.width(),
                           setting.top() - inside.top() - kLabelSize - 4);
  draw_designation(painter, designation, view.designation);
}

// The face as it is mounted: SW1 and SW2 on the top row, SW9 and SW10 at the bottom.
void draw_face(QPainter& painter, const QRectF& area, const ConfigurationView& view) {
  const double face_width = kColumns * kButtonWidth + (kColumns + 1) * kGap;
  const QRectF face(area.center().x() - face_width / 2, area.top(), face_width, area.height());
  painter.setPen(QPen(Qt::black, 2));
  painter.drawRoundedRect(face, 10, 10);

  const double button_height = (face.height() - (kRows + 1) * kGap) / kRows;
  for (int i = 0; i < kSwitchCount; ++i) {
    const int row = i / kColumns;
    const int column = i % kColumns;
    const QRectF box(face.left() + kGap + column * (kButtonWidth + kGap),
                     face.top() + kGap + row * (button_height + kGap), kButtonWidth, button_height);
    draw_button(painter, box, i + 1, view.switches[static_cast<std::size_t>(i)]);
  }
}

void draw_features(QPainter& painter, const QRectF& area, const ConfigurationView& view) {
  QString codes;
  if (view.codes) {
    for (const auto code : *view.codes) codes += QString::number(code) + QLatin1Char(' ');
  }
  const std::pair<std::string_view, QString> lines[] = {
      {sheet_texts::kIndependentLighting,
       QString::fromUtf8(view.independent_lighting ? sheet_texts::kOn : sheet_texts::kOff)},
      {sheet_texts::kIndicatorIntensity,
       QString::fromUtf8(sheet_texts::percent(view.indicator_percent))},
      {sheet_texts::kBackLightIntensity,
       QString::fromUtf8(sheet_texts::percent(view.backlight_percent))},
      {sheet_texts::kCodes, codes.trimmed()},
  };
  painter.setFont(sheet_font(kTextSize));
  const double line_height = area.height() / std::size(lines);
  double top = area.top();
  for (const auto& [label, value] : lines) {
    const QRectF line(area.left(), top, area.width(), line_height);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(label));
    painter.drawText(line.adjusted(kFeatureValueColumn, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     value);
    top += line_height;
  }
}

std::string source_name(const ConfigurationSource& source) {
  switch (source.kind) {
    case ConfigurationSource::Kind::File:
      return QFileInfo(QFile::decodeName(source.path.c_str())).fileName().toStdString();
    case ConfigurationSource::Kind::SwitchPanel:
      return std::string(sheet_texts::kReadFromSwitchPanel);
    case ConfigurationSource::Kind::Neither:
      break;
  }
  return {};
}

}  // namespace

SheetOrigin printed_now(const ConfigurationSource& source) {
  return {
      source_name(source),
      QDate::currentDate().toString(Qt::ISODate).toStdString(),
      QCoreApplication::applicationVersion().toStdString(),
  };
}

std::optional<QRectF> begin_page_in_points(QPainter& painter, QPagedPaintDevice& device) {
  if (!painter.begin(&device)) return std::nullopt;
  const double width = device.width() * 72.0 / device.logicalDpiX();
  const double height = device.height() * 72.0 / device.logicalDpiY();
  painter.setWindow(0, 0, static_cast<int>(width), static_cast<int>(height));
  painter.setRenderHint(QPainter::Antialiasing);
  return QRectF(0, 0, static_cast<int>(width), static_cast<int>(height));
}

void draw_footer(QPainter& painter, const QRectF& page, const std::string& text,
                 std::optional<PageNumber> number) {
  const QRectF footer(page.left(), page.bottom() - kFooterHeight, page.width(), kFooterHeight);
  painter.setFont(sheet_font(kFooterSize));
  painter.drawLine(footer.topLeft(), footer.topRight());
  painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(text));
  if (number) {
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                     QString::fromUtf8(sheet_texts::page_number(number->page, number->pages)));
  }
}

void draw_sheet_page(QPainter& painter, const QRectF& page, const ConfigurationView& view,
                     const SheetOrigin& origin, std::optional<PageNumber> number) {
  // The panel name on two lines at most, in letters made smaller until it fits above the face.
  const QRectF title(page.left(), page.top(), page.width(), kTitleHeight);
  draw_fitted(painter, title,
              fit_text(painter, QString::fromUtf8(view.panel), title.size(),
                       {kTitleSize, kTitleSmallest, true, 2}));

  const double footer_top = page.bottom() - kFooterHeight;
  const QRectF features(page.left() + kGap, footer_top - kFeaturesHeight - kGap,
                        page.width() - 2 * kGap, kFeaturesHeight);
  const double face_top = title.bottom() + kTitleSpace;
  const QRectF face(page.left(), face_top, page.width(), features.top() - kGap - face_top);
  draw_face(painter, face, view);
  draw_features(painter, features, view);
  draw_footer(painter, page, sheet_texts::footer(origin.source, origin.date, origin.version),
              number);
}

bool draw_sheet(QPagedPaintDevice& device, const ConfigurationView& view,
                const SheetOrigin& origin) {
  QPainter painter;
  const std::optional<QRectF> page = begin_page_in_points(painter, device);
  if (!page) return false;
  draw_sheet_page(painter, *page, view, origin);
  return painter.end();
}

}  // namespace kvt
