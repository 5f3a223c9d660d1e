#pragma once
// The main window's and the verdict window's controls as plain state: what a caption, a list,
// a bar or a row holds, whether it is visible or enabled. The Qt windows draw from this state
// and report the examinee's actions back to the handlers that change it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tabrel::shell {

// A label. Writing a caption that differs from the one held runs the change handler, if any;
// writing the same text is no change.
class Label {
 public:
  Label() = default;
  explicit Label(std::u16string caption, bool visible = true)
      : caption_(std::move(caption)), visible_(visible) {}

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  void OnChange(std::function<void()> handler) { on_change_ = std::move(handler); }

 private:
  std::u16string caption_;
  bool visible_ = true;
  std::function<void()> on_change_;
};

struct TextBox {
  std::u16string Text;
  bool Visible = true;
};

struct Button {
  std::u16string Caption;
  bool Visible = true;
};

// Option buttons of one group: selecting one clears the others.
class OptionGroup {
 public:
  explicit OptionGroup(std::vector<std::u16string> captions);

  const std::u16string& Caption(int index) const;
  bool Value(int index) const { return index == selected_; }
  void Select(int index);
  int Selected() const { return selected_; }
  int Count() const { return static_cast<int>(captions_.size()); }
  bool Visible(int index) const;
  void SetVisible(int index, bool v);

 private:
  std::vector<std::u16string> captions_;
  std::vector<bool> visible_;
  int selected_ = -1;
};

// A drop-down list from which one item is picked (no typing). Text is the picked item.
class ComboBox {
 public:
  void AddItem(std::u16string item) { items_.push_back(std::move(item)); }
  void Clear();  // also removes the shown choice
  const std::vector<std::u16string>& Items() const { return items_; }
  int ListIndex() const { return list_index_; }
  void SetListIndex(int index);  // -1 shows no choice; an index out of range raises
  std::u16string Text() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e) { enabled_ = e; }

 private:
  std::vector<std::u16string> items_;
  int list_index_ = -1;
  bool enabled_ = true;
};

// A list box whose selected item gives its text.
class ListBox {
 public:
  explicit ListBox(std::vector<std::u16string> items) : items_(std::move(items)) {}
  void SetListIndex(int index);
  std::u16string Text() const;

 private:
  std::vector<std::u16string> items_;
  int list_index_ = -1;
};

// A progress bar: Min <= Value <= Max. Values and bounds outside that rule are refused with
// the invalid-property-value error, and the bar keeps what it held.
class ProgressBar {
 public:
  ProgressBar(float min, float max) : min_(min), max_(max) {}
  float Min() const { return min_; }
  float Max() const { return max_; }
  float Value() const { return value_; }
  void SetMax(float max);
  void SetValue(float value);

 private:
  float min_;
  float max_;
  float value_ = 0;
};

// A picture button that shows either its normal or its pressed picture.
struct PictureButton {
  bool Pressed = false;
};

// A report-style list view: column headings and rows of text columns.
struct ListColumn {
  std::u16string Heading;
  int Width = 0;  // pixels
  enum class Align { Left, Right } Alignment = Align::Left;
};

struct ListItem {
  std::u16string Text;                  // column 1
  std::vector<std::u16string> SubItems; // columns 2 .. n (SubItems[0] is column 2)
  int16_t SmallIcon = 0;

  // Column k (1-based) as the language's SubItems(k - 1) / Text reads it.
  std::u16string Column(int k) const;
  void SetColumn(int k, std::u16string text);  // k >= 1; missing columns in between stay empty
};

class ListView {
 public:
  std::vector<ListColumn> Columns;
  std::u16string ToolTipText;

  int Count() const { return static_cast<int>(items_.size()); }
  // Adds a row at the 1-based position (1 .. Count() + 1); another position raises.
  ListItem& Add(int position, std::u16string text);
  ListItem& Item(int index);  // 1-based; out of range raises
  const std::vector<ListItem>& Items() const { return items_; }
  void Clear();
  int SelectedIndex() const { return selected_; }  // 0 when no row is selected
  void Select(int index);                           // 0 clears the selection

 private:
  std::vector<ListItem> items_;
  int selected_ = 0;
};

// The screen's mouse pointer: 0 the default arrow, 11 the hourglass.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

}  // namespace tabrel::shell
