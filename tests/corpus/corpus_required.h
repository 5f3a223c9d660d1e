#pragma once
// What a test does when the shared corpus, or a file of it, is not there: on a developer's
// machine it is skipped; under CI (CI=true in the environment) the corpus must be there, so a
// missing one fails the test rather than letting it pass unseen.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace tabrel::corpus {

inline bool corpus_required() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

}  // namespace tabrel::corpus

// Ends the test when `present` is false: a failure under CI, a skip elsewhere. `what` says what
// is missing (anything that streams into a test message).
#define TABREL_REQUIRE_CORPUS(present, what)                                    \
  if (present) {                                                                \
  } else if (::tabrel::corpus::corpus_required())                               \
    FAIL() << "missing under CI: " << what;                                     \
  else                                                                          \
    GTEST_SKIP() << "missing: " << what
