#include "window/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "model/setting_words.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "window/command_button.h"
#include "window/edit_history.h"
#include "window/file_drop.h"
#include "window/form_layout.h"
#include "window/list_box.h"
#include "window/outcome_notice.h"
#include "window/panel_picture.h"
#include "window/port_selector.h"
#include "window/qt_dialogs.h"
#include "window/text_box.h"
#include "window/theme.h"
#include "window/window_actions.h"
#include "window/window_controller.h"
#include "window/window_icon.h"
#include "window/window_texts.h"
#include "window/wrapping_check_box.h"

namespace layout = kvt::layout;
namespace texts = kvt::window_texts;
using kvt::theme::LayoutFont;

namespace {

QString numbered(const char* kind, int number) {
  return QString::fromUtf8(kind) + QString::number(number);
}

QString switch_name(int switch_number) {
  return QString::fromUtf8(kvt::setting_words::switch_label(switch_number));
}

// What a screen reader says for a control: its name, and what it does, which is what its tooltip
// tells the eye unless said otherwise.
void describe(QWidget& control, const QString& name, const QString& does) {
  control.setAccessibleName(name);
  control.setAccessibleDescription(does);
}

void describe(QWidget& control, const QString& name) { describe(control, name, control.toolTip()); }

QLabel* make_caption(QWidget& parent, const QString& name, const QString& text, QRect geometry) {
  auto* caption = new QLabel(text, &parent);
  caption->setObjectName(name);
  caption->setGeometry(geometry);
  caption->setWordWrap(true);
  caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return caption;
}

}  // namespace

Form1::Form1(std::unique_ptr<kvt::Dialogs> dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(std::move(dialogs)) {
  if (!dialogs_) {
    dialogs_ = std::make_unique<kvt::QtDialogs>(*this);
  }
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(texts::kTitle));
  setWindowIcon(kvt::window_icon());
  setFixedSize(kvt::to_pixels(layout::kClientArea));
  setPalette(kvt::theme::classic_palette());
  setAutoFillBackground(true);
  setFont(kvt::theme::font(LayoutFont::Window));

  // Created from back to front: each control is drawn over the ones made before it.
  build_picture_and_marker();
  build_switch_labels();
  build_captions(*this, false);
  QWidget& frame = build_frame();
  build_captions(frame, true);
  build_command_buttons();
  build_text_boxes();
  build_lists(frame);
  tie_captions();
  set_focus_order();

  port_selector_ = new kvt::PortSelector(this);
  history_ = new kvt::EditHistory(
      [this] { return editor_state(); },
      [this](const kvt::EditorState& state) { show_editor_state(state); }, this);
  controller_ =
      new kvt::WindowController(*this, config_, *this, *this, *port_selector_, *history_,
                                [this](QPrinter& printer) { return choose_printer(printer); });
  tie_to_controller();
  actions_ = new kvt::WindowActions(*this, *controller_, *port_selector_, *history_);
  auto* drop = new kvt::FileDrop(*this);
  connect(drop, &kvt::FileDrop::dropped, controller_, [this](const QString& path) {
    controller_->open_file_after_asking(QFile::encodeName(path).toStdString());
  });
}

Form1::~Form1() {
  // Going, the window hands the keyboard focus on, and a text box left then would be recorded
  // as an edit of a window no longer whole.
  for (kvt::TextBox* box : text_boxes_) disconnect(box, nullptr, controller_, nullptr);
}

void Form1::load() { controller_->load(); }

void Form1::open_file(const std::string& path) { controller_->open_file(path); }

void Form1::close_without_asking() { controller_->close_without_asking(); }

bool Form1::finish_write_then(std::function<void()> then) {
  return controller_->finish_write_then(std::move(then));
}

void Form1::closeEvent(QCloseEvent* event) {
  if (!controller_->may_close()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
  actions_->context_menu().popup(event->globalPos());
  event->accept();
}

bool Form1::focusNextPrevChild(bool next) {
  return !turning_buttons_off_ && QWidget::focusNextPrevChild(next);
}

bool Form1::choose_printer(QPrinter& printer) {
  QPrintDialog dialog(&printer, this);
  return dialog.exec() == QDialog::Accepted;
}

void Form1::build_picture_and_marker() {
  auto* picture = new kvt::PanelPicture(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(kvt::to_pixels(layout::kImage1));
  picture->setAccessibleName(QString::fromUtf8(texts::kPanelPictureName));

  auto* marker = new QFrame(this);
  marker->setObjectName(QStringLiteral("Shape1"));
  marker->setGeometry(kvt::to_pixels(layout::kShape1));
  marker->setAccessibleName(QString::fromUtf8(texts::kHeaderMarkerName));
  marker->setFrameStyle(QFrame::Box | QFrame::Plain);
  marker->setAutoFillBackground(true);
  QPalette marker_colours = marker->palette();
  marker_colours.setColor(QPalette::Window, kvt::theme::header_marker());
  marker->setPalette(marker_colours);

  const int left = kvt::twips_to_pixels(std::min(layout::kLine1From.left, layout::kLine1To.left));
  const int right = kvt::twips_to_pixels(std::max(layout::kLine1From.left, layout::kLine1To.left));
  auto* leader = new QFrame(this);
  leader->setObjectName(QStringLiteral("Line1"));
  leader->setFrameStyle(QFrame::HLine | QFrame::Plain);
  leader->setGeometry(left, kvt::twips_to_pixels(layout::kLine1From.top), right - left + 1, 1);
  leader->setAccessibleName(QString::fromUtf8(texts::kHeaderLineName));
}

void Form1::build_switch_labels() {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, kvt::theme::switch_label_text());
  colours.setColor(QPalette::Window, kvt::theme::switch_label_back());
  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    const layout::SwitchRow& row = layout::kSwitchRows[k - 1];
    const kvt::TwipSize size =
        k == kvt::kSwitchCount ? layout::kWideSwitchLabelSize : layout::kSwitchLabelSize;
    QLabel* label = make_caption(*this, QString::fromUtf8(row.label_name), switch_name(k),
                                 kvt::to_pixels(row.label, size));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
  }
}

void Form1::build_captions(QWidget& parent, bool in_frame) {
  for (const layout::CaptionRow& row : layout::kCaptions) {
    if (row.in_frame != in_frame) {
      continue;
    }
    QLabel* caption = make_caption(parent, QString::fromUtf8(row.name), QString::fromUtf8(row.text),
                                   kvt::to_pixels(row.rect));
    caption->setFont(kvt::theme::font(row.font));
    // Opaque, so a caption over the panel picture stays readable.
    caption->setAutoFillBackground(true);
  }
}

QWidget& Form1::build_frame() {
  auto* frame = new QGroupBox(QString::fromUtf8(texts::kFrameCaption), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(kvt::to_pixels(layout::kFrame));
  frame->setFont(kvt::theme::font(LayoutFont::ArialBold));

  check1_ = new kvt::WrappingCheckBox(QString::fromUtf8(texts::kCheck1Caption), frame);
  check1_->setObjectName(QStringLiteral("Check1"));
  check1_->setGeometry(kvt::to_pixels(layout::kCheck1));
  check1_->setFont(kvt::theme::font(LayoutFont::ArialBold));
  check1_->setChecked(true);  // stored ticked; the load handling clears it
  describe(*check1_, check1_->text(), QString::fromUtf8(texts::kCheck1Does));
  connect(check1_, &QCheckBox::toggled, this, [this] { run_check1_handler(); });
  return *frame;
}

void Form1::build_command_buttons() {
  for (std::size_t i = 0; i < command_buttons_.size(); ++i) {
    const layout::CommandButtonRow& row = layout::kCommandButtons[i];
    auto* button = new kvt::CommandButton(QString::fromUtf8(row.caption), this);
    button->setObjectName(QString::fromUtf8(row.name));
    button->setToolTip(QString::fromUtf8(row.tooltip));
    button->setGeometry(kvt::to_pixels(row.rect));
    button->setFont(kvt::theme::font(LayoutFont::ArialBold));
    button->setAutoDefault(false);
    describe(*button, button->text(), QString::fromUtf8(row.does));
    command_buttons_[i] = button;
  }
}

void Form1::build_text_boxes() {
  status_box_ = new QPlainTextEdit(this);
  status_box_->setObjectName(QStringLiteral("Text1"));
  status_box_->setGeometry(kvt::to_pixels(layout::kStatusBox));
  status_box_->setFont(kvt::theme::font(LayoutFont::ArialSmall));
  status_box_->setReadOnly(true);
  status_box_->setTabChangesFocus(true);
  status_box_->setFocusPolicy(Qt::StrongFocus);
  // Three lines hold the usual texts; of a longer one, such as a port failure with its advice,
  // the box shows what fits and the whole text is its tooltip. It never scrolls.
  status_box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  status_box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  status_box_->document()->setDocumentMargin(kStatusMargin);
  set_status_text(texts::kStatusBoxText);
  QPalette status_colours = status_box_->palette();
  status_colours.setColor(QPalette::Base, kvt::theme::status_background());
  status_box_->setPalette(status_colours);
  status_box_->setAccessibleName(QString::fromUtf8(texts::kStatusBoxName));
  outcome_notice_ = new kvt::OutcomeNotice(*this);
  set_status_visible(false);

  auto* panel_name = new kvt::TextBox(QString(), layout::kPanelNameTypedLength, this);
  panel_name->setObjectName(numbered("Text", kvt::kPanelNameBox));
  panel_name->setToolTip(QString::fromUtf8(texts::kPanelNameTooltip));
  panel_name->setGeometry(kvt::to_pixels(layout::kPanelNameBox));
  panel_name->setFont(kvt::theme::font(LayoutFont::SansRegular));
  describe(*panel_name, QString::fromUtf8(texts::kPanelNameCaption));
  text_boxes_[0] = panel_name;

  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    const int number = kvt::designation_box(k);
    auto* box = new kvt::TextBox(QString::fromUtf8(texts::kDesignationText), 0, this);
    box->setObjectName(numbered("Text", number));
    box->setToolTip(QString::fromUtf8(texts::kDesignationTooltip).arg(switch_name(k)));
    box->setGeometry(
        kvt::to_pixels(layout::kSwitchRows[k - 1].designation_box, layout::kDesignationBoxSize));
    describe(*box, QString::fromUtf8(texts::kDesignationName).arg(switch_name(k)));
    text_boxes_[number - kvt::kPanelNameBox] = box;
  }
}

void Form1::tie_to_controller() {
  using Command = void (kvt::WindowController::*)();
  const std::array<Command, layout::kCommandButtons.size()> commands{
      &kvt::WindowController::read_config, &kvt::WindowController::write_config,
      &kvt::WindowController::open_file_chosen, &kvt::WindowController::save_file};
  for (std::size_t i = 0; i < commands.size(); ++i) {
    connect(command_buttons_[i], &QAbstractButton::clicked, controller_, commands[i]);
  }
  // A text is one edit once its box is left (or Return pressed), however many keys it took.
  for (kvt::TextBox* box : text_boxes_) {
    connect(box, &QLineEdit::editingFinished, controller_, &kvt::WindowController::record_edit);
  }
  connect(controller_, &kvt::WindowController::busy_changed, this, [this](bool busy) {
    turning_buttons_off_ = busy;
    for (QAbstractButton* button : command_buttons_) button->setEnabled(!busy);
    turning_buttons_off_ = false;
    if (busy) outcome_shown_ = false;
  });
  connect(controller_, &kvt::WindowController::command_ended, this, [this] {
    if (outcome_shown_ && !status_box_->isHidden()) announce_outcome();
  });
  // Started once the menu has closed and gone: the search waits in the event loop.
  connect(port_selector_, &kvt::PortSelector::find_panel_requested, controller_,
          &kvt::WindowController::find_panel, Qt::QueuedConnection);
}

void Form1::build_lists(QWidget& frame) {
  auto add_list = [this](int number, std::span<const kvt::ListItem> items, QWidget& parent,
                         QRect geometry) {
    auto* list = new kvt::ListBox(items, &parent);
    list->setObjectName(numbered("List", number));
    list->setGeometry(geometry);
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, number] { run_list_handler(number); });
    lists_[number - 1] = list;
    return list;
  };

  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    const layout::SwitchRow& row = layout::kSwitchRows[k - 1];
    kvt::ListBox* modules = add_list(kvt::module_list(k), kvt::kModuleTable, *this,
                                     kvt::to_pixels(row.module_list, layout::kModuleListSize));
    modules->setToolTip(QString::fromUtf8(texts::kModuleListTooltip).arg(switch_name(k)));
    modules->setFont(kvt::theme::font(LayoutFont::SansRegular));
    describe(*modules, QString::fromUtf8(texts::kModuleListName).arg(switch_name(k)));
  }
  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    const layout::SwitchRow& row = layout::kSwitchRows[k - 1];
    kvt::ListBox* channels = add_list(kvt::channel_list(k), kvt::kChannelTable, *this,
                                      kvt::to_pixels(row.channel_list, layout::kChannelListSize));
    channels->setToolTip(QString::fromUtf8(texts::kChannelListTooltip).arg(switch_name(k)));
    channels->setFont(kvt::theme::font(LayoutFont::SansRegular));
    describe(*channels, QString::fromUtf8(texts::kChannelListName).arg(switch_name(k)));
  }
  // The indicator list sits in Frame1 but keeps the window's font, not the frame's.
  kvt::ListBox* indicator = add_list(kvt::kIndicatorList, kvt::kIntensityTable, frame,
                                     kvt::to_pixels(layout::kIndicatorList));
  indicator->setFont(kvt::theme::font(LayoutFont::Window));
  describe(*indicator, QString::fromUtf8(texts::kIndicatorCaption),
           QString::fromUtf8(texts::kIndicatorDoes));
  kvt::ListBox* back_light = add_list(kvt::kBackLightList, kvt::kIntensityTable, *this,
                                      kvt::to_pixels(layout::kBackLightList));
  describe(*back_light, QString::fromUtf8(texts::kBackLightCaption),
           QString::fromUtf8(texts::kBackLightDoes));
}

void Form1::tie_captions() {
  auto tie = [this](const QString& caption, QWidget* control) {
    findChild<QLabel*>(caption)->setBuddy(control);
  };
  tie(QStringLiteral("Label6"), text_boxes_[0]);
  tie(QStringLiteral("Label15"), lists_[kvt::kIndicatorList - 1]);
  tie(QStringLiteral("Label16"), lists_[kvt::kBackLightList - 1]);
  // A switch's label names the first of its controls, the module list.
  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    tie(QString::fromUtf8(layout::kSwitchRows[k - 1].label_name), lists_[kvt::module_list(k) - 1]);
  }
}

void Form1::set_focus_order() {
  QWidget* previous = nullptr;
  for (const char* name : layout::kFocusOrder) {
    auto* control = findChild<QWidget*>(QString::fromUtf8(name));
    if (control == nullptr) {
      throw std::logic_error(std::string("the focus order names a missing control ") + name);
    }
    if (previous != nullptr) {
      setTabOrder(previous, control);
    }
    previous = control;
  }
}
