// Date and time functions: DATE TIME YEAR MONTH DAY WEEKDAY HOUR MINUTE SECOND DAYS360 DATEDIF
// TODAY NOW.

#include <cmath>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

double serial_arg(Evaluator& ev, const Node& n) {
  double d = ev.number(n);
  if (d < 0) throw ErrorSignal{CellError::Num};
  return d;
}

CivilDate civil(Evaluator& ev, const Node& n) {
  auto d = date_from_serial(std::floor(serial_arg(ev, n)), ev.date_system());
  if (!d) throw ErrorSignal{CellError::Num};
  return *d;
}

Value date_(Evaluator& ev, std::span<const Node> a) {
  double y = std::trunc(ev.number(a[0])), m = std::trunc(ev.number(a[1])), d = std::trunc(ev.number(a[2]));
  if (y >= 0 && y < 1900) y += 1900;
  if (y < 0 || y >= 10000 || std::fabs(m) > 1e6 || std::fabs(d) > 1e7) return CellError::Num;
  // Counted from the first of the month, so that 1900-02-29 is the fictitious serial 60.
  auto first = serial_from_date(static_cast<int>(y), static_cast<int>(m), 1, ev.date_system());
  if (!first) return CellError::Num;
  double serial = *first + d - 1;
  if (serial < 0) return CellError::Num;
  return serial;
}

Value time_(Evaluator& ev, std::span<const Node> a) {
  double h = std::trunc(ev.number(a[0])), m = std::trunc(ev.number(a[1])), s = std::trunc(ev.number(a[2]));
  double total = (h * 3600 + m * 60 + s) / 86400;
  if (total < 0) return CellError::Num;
  return total - std::floor(total);
}

Value year_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(civil(ev, a[0]).year); }
Value month_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(civil(ev, a[0]).month); }
Value day_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(civil(ev, a[0]).day); }

Value weekday_(Evaluator& ev, std::span<const Node> a) {
  double s = std::floor(serial_arg(ev, a[0]));
  int type = a.size() > 1 && !ev.is_missing(a[1]) ? integer_arg(ev, a[1]) : 1;
  int sunday_first = weekday_from_serial(s, ev.date_system());  // 1 = Sunday
  switch (type) {
    case 1: return static_cast<double>(sunday_first);
    case 2: return static_cast<double>((sunday_first + 5) % 7 + 1);
    case 3: return static_cast<double>((sunday_first + 5) % 7);
    default: return CellError::Num;
  }
}

Value hour_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(time_from_serial(serial_arg(ev, a[0])).hour); }
Value minute_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(time_from_serial(serial_arg(ev, a[0])).minute); }
Value second_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(time_from_serial(serial_arg(ev, a[0])).second); }

bool last_day_of_february(const CivilDate& d) {
  if (d.month != 2) return false;
  bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  return d.day == (leap ? 29 : 28);
}

Value days360_(Evaluator& ev, std::span<const Node> a) {
  CivilDate s = civil(ev, a[0]), e = civil(ev, a[1]);
  bool european = a.size() > 2 && !ev.is_missing(a[2]) && ev.boolean(a[2]);
  int sd = s.day, ed = e.day;
  if (european) {
    sd = std::min(sd, 30);
    ed = std::min(ed, 30);
  } else {
    // The US (NASD) method: the last day of a month counts as the 30th.
    bool s_last = sd == 31 || last_day_of_february(s);
    if (last_day_of_february(s) && last_day_of_february(e)) ed = 30;
    if (s_last) sd = 30;
    if (ed == 31 && sd >= 30) ed = 30;
  }
  return static_cast<double>((e.year - s.year) * 360 + (e.month - s.month) * 30 + (ed - sd));
}

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// DATEDIF: whole years ("Y"), months ("M") or days ("D") between two dates, or the days ("MD"),
// months ("YM") or days ("YD") left over after the whole months or years.
Value datedif_(Evaluator& ev, std::span<const Node> a) {
  double start = std::floor(serial_arg(ev, a[0])), end = std::floor(serial_arg(ev, a[1]));
  std::u16string unit = upper(ev.text(a[2]));
  if (start > end) return CellError::Num;
  CivilDate s = civil(ev, a[0]), e = civil(ev, a[1]);
  int months = (e.year - s.year) * 12 + (e.month - s.month) - (e.day < s.day ? 1 : 0);
  if (unit == u"D") return end - start;
  if (unit == u"M") return static_cast<double>(months);
  if (unit == u"Y") return static_cast<double>(months / 12);
  if (unit == u"YM") return static_cast<double>(months % 12);
  if (unit == u"MD") {
    if (e.day >= s.day) return static_cast<double>(e.day - s.day);
    int prev_month = e.month == 1 ? 12 : e.month - 1, prev_year = e.month == 1 ? e.year - 1 : e.year;
    return static_cast<double>(days_in_month(prev_year, prev_month) - s.day + e.day);
  }
  if (unit == u"YD") {
    // The start moved into the last year before the end.
    int year = e.year - ((e.month < s.month || (e.month == s.month && e.day < s.day)) ? 1 : 0);
    auto moved = serial_from_date(year, s.month, std::min(s.day, days_in_month(year, s.month)), ev.date_system());
    if (!moved) return CellError::Num;
    return end - *moved;
  }
  return CellError::Num;
}

// DATEVALUE and TIMEVALUE: the date or the time part of a text.
Value text_date(Evaluator& ev, std::span<const Node> a, bool date_part) {
  Scalar s = ev.scalar(a[0]);
  if (auto e = std::get_if<CellError>(&s)) return *e;
  auto t = std::get_if<std::u16string>(&s);
  if (!t) return CellError::Value;
  auto v = text_to_number(*t, ev.date_system());
  if (!v || *v < 0) return CellError::Value;
  return date_part ? std::floor(*v) : *v - std::floor(*v);
}
Value datevalue_(Evaluator& ev, std::span<const Node> a) { return text_date(ev, a, true); }
Value timevalue_(Evaluator& ev, std::span<const Node> a) { return text_date(ev, a, false); }

Value today_(Evaluator& ev, std::span<const Node>) { return std::floor(ev.source().now()); }
Value now_(Evaluator& ev, std::span<const Node>) { return ev.source().now(); }

}  // namespace

void add_date_functions(FunctionMap& m) {
  m[u"DATE"] = date_;
  m[u"TIME"] = time_;
  m[u"YEAR"] = year_;
  m[u"MONTH"] = month_;
  m[u"DAY"] = day_;
  m[u"WEEKDAY"] = weekday_;
  m[u"HOUR"] = hour_;
  m[u"MINUTE"] = minute_;
  m[u"SECOND"] = second_;
  m[u"DAYS360"] = days360_;
  m[u"DATEDIF"] = datedif_;
  m[u"TODAY"] = today_;
  m[u"DATEVALUE"] = datevalue_;
  m[u"TIMEVALUE"] = timevalue_;
  m[u"NOW"] = now_;
}

}  // namespace tabrel::formula
