// The members that change a pivot table's fields: PivotTable.PivotFields, AddDataField,
// AddFields, and PivotField.Orientation, Position, Function, Caption and NumberFormat.

#include <algorithm>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/pivot_arrangement.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_captions.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::xl {
namespace {

// The name of a field the records carry; 1004 for another (a table whose view and cache disagree).
const std::u16string& source_name(const pivot::PivotCache& cache, int16_t field) {
  if (field < 0 || static_cast<size_t>(field) >= cache.source_fields) raise(Fault::MethodFailed);
  return cache.fields[static_cast<size_t>(field)].name;
}

std::u16string caption_of(const pivot::PivotCache& cache, const pivot::DataFieldSpec& d) {
  return d.caption ? *d.caption : pivot::data_caption(d.function, source_name(cache, d.field));
}

// The source field shown under `name` (letter case ignored), or -1.
int field_named(const pivot::PivotView& view, const pivot::PivotCache& cache, const std::u16string& name) {
  const std::u16string wanted = upper(name);
  for (size_t f = 0; f < view.fields.size() && f < cache.fields.size(); ++f)
    if (upper(pivot::field_caption(view, cache, static_cast<int16_t>(f))) == wanted) return static_cast<int>(f);
  return -1;
}

// Sum when every value of the field is a number, else count: what a field dropped on the data
// area summarises by.
uint16_t default_function(const pivot::PivotCache& cache, int16_t field) {
  source_name(cache, field);
  for (size_t r = 0; r < cache.records(); ++r)
    if (cache.value(r, static_cast<size_t>(field)).kind != pivot::CacheValue::Kind::Number) return 1;
  return 0;
}

// A data field's caption must name neither another data field nor a source field.
void check_caption(const pivot::PivotView& view, const pivot::PivotCache& cache, const PivotArrangement& a,
                   const std::u16string& caption, int except) {
  if (caption.empty() || field_named(view, cache, caption) >= 0) raise(Fault::MethodFailed);
  for (size_t d = 0; d < a.spec.data_fields.size(); ++d)
    if (static_cast<int>(d) != except && upper(caption_of(cache, a.spec.data_fields[d])) == upper(caption))
      raise(Fault::MethodFailed);
}

// A new data field with the spreadsheet's caption, numbered when the table shows it already
// ("합계 : 금액2").
pivot::DataFieldSpec new_data_field(const pivot::PivotCache& cache, const PivotArrangement& a, int16_t field,
                                    uint16_t function) {
  pivot::DataFieldSpec d{field, function, std::nullopt, 0};
  const std::u16string base = caption_of(cache, d);
  std::u16string caption = base;
  for (int n = 2;; ++n) {
    const bool taken = std::any_of(a.spec.data_fields.begin(), a.spec.data_fields.end(),
                                   [&](const pivot::DataFieldSpec& o) { return upper(caption_of(cache, o)) == upper(caption); });
    if (!taken) break;
    caption = base + from_utf8(std::to_string(n));
  }
  d.caption = caption;
  return d;
}

std::vector<int16_t>* area_of(PivotArrangement& a, int orientation) {
  switch (orientation) {
    case kRowField: return &a.spec.row_fields;
    case kColumnField: return &a.spec.column_fields;
    case kPageField: return &a.spec.page_fields;
    default: return nullptr;
  }
}

void take_off_areas(PivotArrangement& a, int16_t field) {
  for (int o : {kRowField, kColumnField, kPageField}) {
    auto* fields = area_of(a, o);
    fields->erase(std::remove(fields->begin(), fields->end(), field), fields->end());
  }
}

// The names a field argument gives: one name or an array of them; none when omitted.
std::vector<std::u16string> names_in(const Variant& v) {
  if (omitted(v)) return {};
  if (!v.is_array()) return {v.to_string()};
  std::vector<std::u16string> out;
  for (const Variant& item : v.arr().items) out.push_back(item.to_string());
  return out;
}

}  // namespace

std::shared_ptr<PivotField> PivotTable::PivotFields(const Variant& index) const {
  const pivot::PivotView view = view_of(sheet_, record_);
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  if (!index.is_string()) {
    const int i = index.to_long();
    if (i < 1 || static_cast<size_t>(i) > std::min(view.fields.size(), cache.fields.size())) raise(Fault::MethodFailed);
    return std::make_shared<PivotField>(sheet_, record_, i - 1);
  }
  if (const int f = field_named(view, cache, index.str()); f >= 0) return std::make_shared<PivotField>(sheet_, record_, f);
  const PivotArrangement a = arrangement_of(sheet_, record_);
  for (size_t d = 0; d < a.spec.data_fields.size(); ++d)
    if (upper(caption_of(cache, a.spec.data_fields[d])) == upper(index.str()))
      return std::make_shared<PivotField>(sheet_, record_, a.spec.data_fields[d].field, static_cast<int>(d));
  raise(Fault::MethodFailed);
}

std::shared_ptr<PivotField> PivotTable::AddDataField(const PivotField& field, const Variant& caption,
                                                     const Variant& function) {
  if (field.data() >= 0 || !(field.sheet() == sheet_) || field.record() != record_) raise(Fault::MethodFailed);
  const pivot::PivotView view = view_of(sheet_, record_);
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  const auto f = static_cast<int16_t>(field.field());
  size_t added = 0;
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    const uint16_t fn = omitted(function) ? default_function(cache, f) : pivot_function(function.to_long());
    pivot::DataFieldSpec d = new_data_field(cache, a, f, fn);
    if (!omitted(caption)) {
      d.caption = caption.to_string();
      check_caption(view, cache, a, *d.caption, -1);
    }
    added = a.spec.data_fields.size();
    a.spec.data_fields.push_back(d);
  });
  return std::make_shared<PivotField>(sheet_, record_, f, static_cast<int>(added));
}

void PivotTable::AddFields(const Variant& rows, const Variant& columns, const Variant& pages, const Variant& add_to_table) {
  const pivot::PivotView view = view_of(sheet_, record_);
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  const bool adding = !omitted(add_to_table) && add_to_table.to_bool();
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    if (!adding) {
      a.spec.row_fields.clear();
      a.spec.column_fields.clear();
      a.spec.page_fields.clear();
    }
    for (const auto& [names, orientation] : {std::pair{names_in(rows), kRowField}, std::pair{names_in(columns), kColumnField},
                                             std::pair{names_in(pages), kPageField}}) {
      for (const std::u16string& name : names) {
        const int f = field_named(view, cache, name);
        if (f < 0) raise(Fault::MethodFailed);
        take_off_areas(a, static_cast<int16_t>(f));
        area_of(a, orientation)->push_back(static_cast<int16_t>(f));
      }
    }
  });
}

void PivotField::SetOrientation(const Variant& orientation) {
  const int o = orientation.to_long();
  if (o < kHidden || o > kDataField) raise(Fault::MethodFailed);
  if (data_ >= 0) {
    if (o == kDataField) return;
    if (o != kHidden) raise(Fault::MethodFailed);
    rearrange(sheet_, record_, [&](PivotArrangement& a) {
      if (static_cast<size_t>(data_) >= a.spec.data_fields.size()) raise(Fault::MethodFailed);
      a.spec.data_fields.erase(a.spec.data_fields.begin() + data_);
    });
    return;
  }
  const auto f = static_cast<int16_t>(field_);
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    if (o == kDataField) {
      a.spec.data_fields.push_back(new_data_field(cache, a, f, default_function(cache, f)));
      return;
    }
    take_off_areas(a, f);
    if (auto* area = area_of(a, o)) area->push_back(f);
  });
}

int PivotField::Position() const {
  PivotArrangement a = arrangement_of(sheet_, record_);
  if (data_ >= 0) return data_ + 1;
  for (int o : {kRowField, kColumnField, kPageField}) {
    const auto* fields = area_of(a, o);
    const auto at = std::find(fields->begin(), fields->end(), field_);
    if (at != fields->end()) return static_cast<int>(at - fields->begin()) + 1;
  }
  raise(Fault::MethodFailed);
}

void PivotField::SetPosition(const Variant& position) {
  const int to = position.to_long() - 1;
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    auto move = [&](auto& list, size_t from) {
      if (to < 0 || static_cast<size_t>(to) >= list.size()) raise(Fault::MethodFailed);
      auto item = list[from];
      list.erase(list.begin() + static_cast<long>(from));
      list.insert(list.begin() + to, item);
    };
    if (data_ >= 0) {
      if (static_cast<size_t>(data_) >= a.spec.data_fields.size()) raise(Fault::MethodFailed);
      return move(a.spec.data_fields, static_cast<size_t>(data_));
    }
    for (int o : {kRowField, kColumnField, kPageField}) {
      auto* fields = area_of(a, o);
      const auto at = std::find(fields->begin(), fields->end(), field_);
      if (at != fields->end()) return move(*fields, static_cast<size_t>(at - fields->begin()));
    }
    raise(Fault::MethodFailed);
  });
  if (data_ >= 0) data_ = to;
}

namespace {

// The data field a handle stands for; 1004 for a field that is none.
pivot::DataFieldSpec& data_spec(PivotArrangement& a, int data) {
  if (data < 0 || static_cast<size_t>(data) >= a.spec.data_fields.size()) raise(Fault::MethodFailed);
  return a.spec.data_fields[static_cast<size_t>(data)];
}

}  // namespace

int PivotField::Function() const {
  PivotArrangement a = arrangement_of(sheet_, record_);
  return xl_function(data_spec(a, data_).function);
}

void PivotField::SetFunction(const Variant& function) {
  const uint16_t fn = pivot_function(function.to_long());
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    pivot::DataFieldSpec& d = data_spec(a, data_);
    // A caption the user typed stays; the spreadsheet's own follows the function.
    const std::u16string own = pivot::data_caption(d.function, source_name(cache, d.field));
    if (d.caption && d.caption->rfind(own, 0) != 0) {
      d.function = fn;
      return;
    }
    const int16_t field = d.field;
    const uint16_t format = d.number_format;
    a.spec.data_fields.erase(a.spec.data_fields.begin() + data_);
    pivot::DataFieldSpec fresh = new_data_field(cache, a, field, fn);
    fresh.number_format = format;
    a.spec.data_fields.insert(a.spec.data_fields.begin() + data_, fresh);
  });
}

std::u16string PivotField::Caption() const {
  if (data_ < 0) {
    const pivot::PivotView view = view_of(sheet_, record_);
    return pivot::field_caption(view, cache_of(sheet_, record_), static_cast<int16_t>(field_));
  }
  PivotArrangement a = arrangement_of(sheet_, record_);
  return caption_of(cache_of(sheet_, record_), data_spec(a, data_));
}

void PivotField::SetCaption(const Variant& caption) {
  const std::u16string text = caption.to_string();
  const pivot::PivotView view = view_of(sheet_, record_);
  const pivot::PivotCache cache = cache_of(sheet_, record_);
  rearrange(sheet_, record_, [&](PivotArrangement& a) {
    data_spec(a, data_).caption = text;
    check_caption(view, cache, a, text, data_);
  });
}

std::u16string PivotField::NumberFormat() const {
  PivotArrangement a = arrangement_of(sheet_, record_);
  return number_format(sheet_.workbook(), data_spec(a, data_).number_format);
}

void PivotField::SetNumberFormat(const Variant& format) {
  const uint16_t id = format_id_for(sheet_.workbook(), format.to_string(), false);
  rearrange(sheet_, record_, [&](PivotArrangement& a) { data_spec(a, data_).number_format = id; });
}

}  // namespace tabrel::xl
