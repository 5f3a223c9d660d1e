#include "spreadsheet/automation/window.h"

#include <algorithm>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {
namespace {

int count_of(const Variant& v) { return omitted(v) ? 0 : v.to_long(); }

}  // namespace

Window::Window(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int Window::ScrollRow() const { return sheet_.get().view.top_left.row + 1; }
int Window::ScrollColumn() const { return sheet_.get().view.top_left.col + 1; }

void Window::SetScrollRow(const Variant& row) {
  const int r = row.to_long();
  if (r < 1 || r > model::kMaxRows) raise(Fault::MethodFailed);
  sheet_.get().view.top_left.row = r - 1;
}

void Window::SetScrollColumn(const Variant& column) {
  const int c = column.to_long();
  if (c < 1 || c > model::kMaxColumns) raise(Fault::MethodFailed);
  sheet_.get().view.top_left.col = c - 1;
}

void Window::scroll_by(int rows, int columns) {
  auto& top = sheet_.get().view.top_left;
  top.row = std::clamp(top.row + rows, 0, model::kMaxRows - 1);
  top.col = std::clamp(top.col + columns, 0, model::kMaxColumns - 1);
}

void Window::SmallScroll(const Variant& down, const Variant& up, const Variant& to_right, const Variant& to_left) {
  scroll_by(count_of(down) - count_of(up), count_of(to_right) - count_of(to_left));
}

void Window::LargeScroll(const Variant& down, const Variant& up, const Variant& to_right, const Variant& to_left) {
  scroll_by(20 * (count_of(down) - count_of(up)), 10 * (count_of(to_right) - count_of(to_left)));
}

int Window::Zoom() const { return sheet_.get().view.zoom_percent; }

void Window::SetZoom(const Variant& percent) {
  const int p = percent.to_long();
  if (p < 10 || p > 400) raise(Fault::MethodFailed);
  sheet_.get().view.zoom_percent = static_cast<uint16_t>(p);
}

}  // namespace tabrel::xl
