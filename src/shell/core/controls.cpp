#include "shell/core/controls.h"

#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::shell {

namespace {
[[noreturn]] void invalid_value() { raise_error(err::kInvalidPropertyValue); }
[[noreturn]] void out_of_range() { raise_error(err::kSubscriptOutOfRange); }
}  // namespace

void Label::SetCaption(std::u16string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  if (on_change_) on_change_();
}

OptionGroup::OptionGroup(std::vector<std::u16string> captions)
    : captions_(std::move(captions)), visible_(captions_.size(), true) {}

const std::u16string& OptionGroup::Caption(int index) const {
  if (index < 0 || index >= Count()) out_of_range();
  return captions_[static_cast<size_t>(index)];
}

void OptionGroup::Select(int index) {
  if (index < -1 || index >= Count()) out_of_range();
  selected_ = index;
}

bool OptionGroup::Visible(int index) const {
  if (index < 0 || index >= Count()) out_of_range();
  return visible_[static_cast<size_t>(index)];
}

void OptionGroup::SetVisible(int index, bool v) {
  if (index < 0 || index >= Count()) out_of_range();
  visible_[static_cast<size_t>(index)] = v;
}

void ComboBox::Clear() {
  items_.clear();
  list_index_ = -1;
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) invalid_value();
  list_index_ = index;
}

std::u16string ComboBox::Text() const {
  return list_index_ < 0 ? std::u16string() : items_[static_cast<size_t>(list_index_)];
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) invalid_value();
  list_index_ = index;
}

std::u16string ListBox::Text() const {
  return list_index_ < 0 ? std::u16string() : items_[static_cast<size_t>(list_index_)];
}

void ProgressBar::SetMax(float max) {
  if (!(max > min_) || value_ > max) invalid_value();
  max_ = max;
}

void ProgressBar::SetValue(float value) {
  if (!(value >= min_ && value <= max_)) invalid_value();
  value_ = value;
}

std::u16string ListItem::Column(int k) const {
  if (k == 1) return Text;
  if (k < 1 || static_cast<size_t>(k - 1) > SubItems.size()) return u"";
  return SubItems[static_cast<size_t>(k - 2)];
}

void ListItem::SetColumn(int k, std::u16string text) {
  if (k < 1) out_of_range();
  if (k == 1) {
    Text = std::move(text);
    return;
  }
  const auto slot = static_cast<size_t>(k - 2);
  if (SubItems.size() <= slot) SubItems.resize(slot + 1);
  SubItems[slot] = std::move(text);
}

ListItem& ListView::Add(int position, std::u16string text) {
  if (position < 1 || position > Count() + 1) out_of_range();
  auto it = items_.insert(items_.begin() + (position - 1), ListItem{std::move(text), {}, 0});
  if (selected_ >= position) ++selected_;
  return *it;
}

ListItem& ListView::Item(int index) {
  if (index < 1 || index > Count()) out_of_range();
  return items_[static_cast<size_t>(index - 1)];
}

void ListView::Clear() {
  items_.clear();
  selected_ = 0;
}

void ListView::Select(int index) {
  if (index < 0 || index > Count()) out_of_range();
  selected_ = index;
}

}  // namespace tabrel::shell
