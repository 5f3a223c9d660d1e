#pragma once
// Where the main window's and the verdict window's parts stand, in pixels. The picture
// generator paints the backgrounds' panels at these places and the Qt windows put their
// controls on them, so both read this one table.

namespace tabrel::shell::ui::layout {

struct Rect {
  int x, y, w, h;
  constexpr int right() const { return x + w; }
  constexpr int bottom() const { return y + h; }
};

// The key colour that marks the pixels cut from a window (0xRRGGBB).
inline constexpr unsigned kKeyColour = 0xFF00FF;

// Main window, 754 x 657.
inline constexpr int kCornerRadius = 26;
inline constexpr Rect kTitleTab{30, 0, 300, 26};        // the tab rising above the body
inline constexpr Rect kBody{0, 14, 754, 643};           // the rounded body
inline constexpr Rect kTitleBand{0, 14, 754, 58};
inline constexpr Rect kLevelFrame{20, 84, 118, 180};    // Frame2(4) "급수선택"
inline constexpr Rect kLevelOption{32, 108, 90, 24};    // Option1(0)
inline constexpr Rect kLevelPicture{32, 140, 92, 92};   // Image1(0)
inline constexpr Rect kSeriesFrame{146, 84, 218, 180};  // Frame8(0) "문제종류"
inline constexpr int kSeriesRowTop = 108;
inline constexpr int kSeriesRowHeight = 37;
inline constexpr Rect kStartButton{20, 276, 168, 54};   // Picture1(0)
inline constexpr Rect kExitButton{196, 276, 168, 54};   // Picture1(1)
inline constexpr Rect kUpgradeButton{20, 244, 118, 26}; // Command1, stored hidden
inline constexpr Rect kScorePanel{20, 342, 344, 232};
inline constexpr Rect kScoreHeading{32, 348, 200, 22};  // Label8(1)
inline constexpr int kScoreHeaderTop = 374;             // Label5 column headings
inline constexpr int kScoreRowTop = 398;
inline constexpr int kScoreRowHeight = 24;
inline constexpr int kScoreCaptionX = 40;               // Label2 row captions
inline constexpr int kAllottedX = 140;                  // Label1(0..3), Label7(0)
inline constexpr int kObtainedX = 250;                  // Label1(4..7), Label7(1)
inline constexpr int kScoreCellWidth = 96;
inline constexpr Rect kTotalRow{32, 522, 320, 28};      // Label3 and Label4
inline constexpr Rect kProgressRow{20, 584, 344, 22};   // Label2(5) and ProgressBar1
inline constexpr Rect kStatusLine{20, 612, 344, 24};    // Label6
inline constexpr Rect kListPanel{380, 84, 354, 488};
inline constexpr Rect kListHeading{392, 90, 200, 22};   // Label10
inline constexpr Rect kListView{390, 116, 334, 446};    // ListView1
inline constexpr Rect kCredit{384, 590, 180, 44};       // Label8(0)
inline constexpr Rect kPublisher{574, 584, 160, 56};    // Image2(0)

// Verdict window, 372 x 235.
inline constexpr int kVerdictWidth = 372;
inline constexpr int kVerdictHeight = 235;
inline constexpr Rect kVerdictText{20, 22, 332, 34};    // Label3
inline constexpr Rect kVerdictBars{26, 66, 210, 150};   // Frame2: four bars with labels
inline constexpr Rect kVerdictBadge{256, 66, 92, 60};   // Image1
inline constexpr Rect kVerdictTotal{246, 132, 112, 32}; // Label2
inline constexpr Rect kVerdictButton{258, 176, 88, 32}; // Command1

// Profile window.
inline constexpr int kProfileWidth = 420;
inline constexpr int kProfileHeight = 300;
inline constexpr Rect kProfilePicture{24, 40, 220, 220};
inline constexpr Rect kProfileCaption{256, 40, 144, 190};
inline constexpr Rect kProfileCheck{256, 240, 144, 24};

}  // namespace tabrel::shell::ui::layout
