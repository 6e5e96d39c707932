#include "model/headless_controls.h"

#include <span>
#include <stdexcept>

#include "model/editor_events.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

std::span<const ListItem> items_of(int list) {
  if (list == kIndicatorList || list == kBackLightList) return kIntensityTable;
  if (list % 2 == 1) return kModuleTable;
  return kChannelTable;
}

}  // namespace

HeadlessControls::HeadlessControls(PanelConfig& config, Dialogs& dialogs)
    : config_(config), dialogs_(dialogs) {
  selection_.fill(kNoSelection);
  list_visible_.fill(true);
  box_visible_.fill(true);
}

int HeadlessControls::selected(int list) const { return selection_.at(list); }

void HeadlessControls::select(int list, int position) {
  const int count = static_cast<int>(items_of(list).size());
  selection_.at(list) = (position >= 0 && position < count) ? position : kNoSelection;
  on_list_selected(config_, *this, list);
}

std::int16_t HeadlessControls::item_value(int list, int position) const {
  const std::span<const ListItem> items = items_of(list);
  if (position < 0 || position >= static_cast<int>(items.size())) {
    throw std::out_of_range("List" + std::to_string(list) + " has no item at position " +
                            std::to_string(position));
  }
  return items[static_cast<std::size_t>(position)].value;
}

void HeadlessControls::set_list_visible(int list, bool visible) {
  list_visible_.at(list) = visible;
}

bool HeadlessControls::list_visible(int list) const { return list_visible_.at(list); }

std::string HeadlessControls::text(int box) const { return texts_.at(box); }

void HeadlessControls::set_text(int box, const std::string& text) { texts_.at(box) = text; }

void HeadlessControls::set_box_visible(int box, bool visible) { box_visible_.at(box) = visible; }

bool HeadlessControls::box_visible(int box) const { return box_visible_.at(box); }

bool HeadlessControls::ticked() const { return ticked_; }

void HeadlessControls::set_ticked(bool ticked) {
  if (ticked == ticked_) return;
  ticked_ = ticked;
  on_check1_changed(config_, *this);
}

Dialogs& HeadlessControls::dialogs() { return dialogs_; }

}  // namespace kvt
