#pragma once
// The two ways the ported procedures let errors of the automation layer pass:
//   step(f)   runs one statement and skips it when it raises (resume next);
//   met(pred) evaluates a condition whose failure counts as met (the block after If runs);
//   holds(pred) evaluates a condition whose failure counts as not met (the Else block runs).

#include <utility>

#include "spreadsheet/core/automation_error.h"

namespace tabrel::rt {

template <class F>
bool step(F&& f) {
  try {
    std::forward<F>(f)();
    return true;
  } catch (const AutomationError&) {
    return false;
  }
}

template <class Pred>
bool met(Pred&& pred) {
  try {
    return static_cast<bool>(std::forward<Pred>(pred)());
  } catch (const AutomationError&) {
    return true;
  }
}

template <class Pred>
bool holds(Pred&& pred) {
  try {
    return static_cast<bool>(std::forward<Pred>(pred)());
  } catch (const AutomationError&) {
    return false;
  }
}

}  // namespace tabrel::rt
