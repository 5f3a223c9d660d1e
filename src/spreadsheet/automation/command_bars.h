#pragma once
// The command bars (menu bars and toolbars) of the application. They are settings of the
// application, not of a workbook, so every instance sees the same bars, in the same state.
//
// The grading machine's set: the spreadsheet's menu bars and toolbars with the Camera button
// (control Id 280) on the Standard toolbar. An examinee's workbook cannot carry where the
// examinee's own toolbars put their buttons (those live in the examinee's machine), so the
// grader is set up as the machine the answers were made on, where the camera tool stands.

#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class CommandBar;
class CommandBarControls;
class CommandBarControl;

inline constexpr int kMsoBarTypeNormal = 0, kMsoBarTypeMenuBar = 1;
inline constexpr int kCameraControlId = 280;

class CommandBars : public Dispatch {
 public:
  std::u16string type_name() const override { return u"CommandBars"; }
  int Count() const;
  // By position (1-based) or by name (letter case ignored); 5 for a missing bar.
  std::shared_ptr<CommandBar> Item(const Variant& index) const;
};

class CommandBar : public Dispatch {
 public:
  explicit CommandBar(size_t index) : index_(index) {}
  std::u16string type_name() const override { return u"CommandBar"; }
  std::u16string Name() const;
  int Type() const;
  bool Visible() const;
  void SetVisible(bool visible);
  std::shared_ptr<CommandBarControls> Controls() const;

 private:
  size_t index_;
};

class CommandBarControls : public Dispatch {
 public:
  explicit CommandBarControls(size_t bar) : bar_(bar) {}
  std::u16string type_name() const override { return u"CommandBarControls"; }
  int Count() const;
  std::shared_ptr<CommandBarControl> Item(const Variant& index) const;  // 1-based; 5 when missing

 private:
  size_t bar_;
};

class CommandBarControl : public Dispatch {
 public:
  explicit CommandBarControl(int id) : id_(id) {}
  std::u16string type_name() const override { return u"CommandBarControl"; }
  int Id() const { return id_; }

 private:
  int id_;
};

}  // namespace tabrel::xl
