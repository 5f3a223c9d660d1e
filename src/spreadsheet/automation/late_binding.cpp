#include "spreadsheet/automation/late_binding.h"

#include <mutex>
#include <unordered_map>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl::late {
namespace {

struct Names {
  std::mutex lock;
  std::unordered_map<std::u16string, MemberId> ids;
  std::vector<std::u16string> names;
};

Names& names() {
  static Names n;
  return n;
}

const Tables& tables() {
  static const Tables t = [] {
    Tables built;
    define_application(built);
    define_range(built);
    define_formats(built);
    define_charts(built);
    define_worksheet_function(built);
    define_names(built);
    define_analysis(built);
    return built;
  }();
  return t;
}

const Member* find(const Dispatch& object, MemberId member) {
  const auto& all = tables();
  auto table = all.find(std::type_index(typeid(object)));
  if (table == all.end()) return nullptr;
  auto it = table->second.find(member);
  return it == table->second.end() ? nullptr : &it->second;
}

[[noreturn]] void no_member(const Dispatch& object, MemberId member) {
  throw AutomationError(err::kNoSuchMember, u"Object doesn't support this property or method: " +
                                                object.type_name() + u"." + member_name(member));
}

// Positional arguments with the named ones put in their places.
Args place(const Member& m, const Arguments& in, size_t& extra) {
  Args out = in.positional;
  for (const auto& [name, value] : in.named) {
    size_t i = 0;
    while (i < m.params.size() && !equals_ignore_case(m.params[i], name)) ++i;
    if (i == m.params.size()) throw AutomationError(448, u"Named argument not found: " + name);
    if (out.size() <= i) out.resize(i + 1);
    out[i] = value;
  }
  extra = out.size() > m.params.size() ? out.size() - m.params.size() : 0;
  if (out.size() < m.params.size()) out.resize(m.params.size());
  return out;
}

}  // namespace

MemberId member_id(std::u16string_view name) {
  Names& n = names();
  std::lock_guard<std::mutex> guard(n.lock);
  std::u16string key = lower(name);
  auto it = n.ids.find(key);
  if (it != n.ids.end()) return it->second;
  const auto id = static_cast<MemberId>(n.names.size());
  n.names.emplace_back(name);
  n.ids.emplace(std::move(key), id);
  return id;
}

const std::u16string& member_name(MemberId id) {
  Names& n = names();
  std::lock_guard<std::mutex> guard(n.lock);
  static const std::u16string unknown = u"?";
  if (id < 0 || static_cast<size_t>(id) >= n.names.size()) return unknown;
  return n.names[static_cast<size_t>(id)];
}

Variant invoke(Dispatch& object, MemberId member, const Arguments& args, const Variant* value) {
  const Member* m = find(object, member);
  if (!m) no_member(object, member);
  size_t extra = 0;
  Args placed = place(*m, args, extra);
  if (extra > 0) {
    // A property without arguments of its own hands them to its result's default member.
    if (!m->params.empty() || !args.named.empty())
      throw AutomationError(450, u"Wrong number of arguments or invalid property assignment");
    Variant result = m->get(object, {});
    if (!result.is_object() || !result.object())
      throw AutomationError(450, u"Wrong number of arguments or invalid property assignment");
    Arguments item;
    item.positional = std::move(placed);
    static const MemberId item_id = member_id(u"Item");
    return invoke(*result.object(), item_id, item, value);
  }
  if (value) {
    if (!m->let) {
      // A property read-only in itself may still be an object whose default member is written
      // (Range("A1").Cells = 5 writes the cells' values).
      throw AutomationError(err::kNoSuchMember, u"Object doesn't support this property or method: " +
                                                    object.type_name() + u"." + member_name(member) + u" (assign)");
    }
    m->let(object, placed, *value);
    return Variant();
  }
  if (!m->get) no_member(object, member);
  return m->get(object, placed);
}

bool is_global(MemberId member) {
  const auto& all = tables();
  auto table = all.find(std::type_index(typeid(Application)));
  return table != all.end() && table->second.count(member) > 0;
}

int32_t item_count(Dispatch& object) {
  static const MemberId count = member_id(u"Count");
  return invoke(object, count, {}).to_long();
}

Variant item_at(Dispatch& object, int32_t position) {
  static const MemberId item = member_id(u"Item");
  Arguments args;
  args.positional.push_back(Variant(position));
  return invoke(object, item, args);
}

}  // namespace tabrel::xl::late
