#pragma once
// One problem procedure while it runs: its score, its rows and its sheet switches.

#include <string>

#include "grading/excel_objects.h"
#include "papers/frame/paper_host.h"

namespace tabrel::papers {

// The answer sheet at `position` among the answer instance's worksheets, then the target sheet
// of the same name. Both variables are emptied first, so a switch that fails leaves no sheet of
// an earlier step behind for the next check to read.
void SetSheets(grading::ExcelObjects& x, int position);

class ProblemRun {
 public:
  // `points` is the problem's allotted points as the catalog gives them ("20"). With
  // `ignores_errors` a failed sheet switch records why the problem stops (see SwitchSheets).
  ProblemRun(PaperHost& host, const std::u16string& points, bool ignores_errors = false);

  PaperHost& host() { return host_; }
  grading::ExcelObjects& excel() { return host_.Excel(); }
  float score() const { return score_; }

  // One row labelled with the current answer sheet's name; the score goes down by the same
  // points.
  void Deduct(float points, const std::u16string& message);

  // Raises when either sheet is missing. In a paper that ignores errors the problem then ends
  // without grading the rest, so it first records one row of the points it still holds: its
  // score becomes 0 and the rows still account for the whole total.
  void SwitchSheets(int position);

  // The problem's close: the total gains the score rounded to two decimals. With
  // `formats_total` the sum is written formatted with "0.00" (35 as "35.00").
  void Close(bool formats_total = false);

 private:
  PaperHost& host_;
  float score_;
  bool ignores_errors_;
};

}  // namespace tabrel::papers
