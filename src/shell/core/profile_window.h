#pragma once
// The profile window `frmprofile` as state: a slideshow of the pictures in the program
// folder's `profileimage` folder, each with the caption of its text file, and the check box
// "항상맨위로".

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/core/controls.h"
#include "shell/core/window_drag.h"

namespace tabrel::shell {

// `SetTopMost` modes.
enum class TopMostMode { Above = 0, Normal = 1 };

struct FrmProfile {
  std::vector<std::u16string> SlidePaths;     // full path of each picture, in listing order
  std::vector<std::u16string> SlideCaptions;  // caption of each picture, in the same order
  int16_t SlideIndex = 0;                     // 1-based number of the picture shown; 0 before the first
  std::u16string Image1;         // path of the picture shown; empty before the first
  Label Label1{u"test"};
  int Check1 = 1;                // 1 ticked, 0 clear
  bool Timer1Enabled = false;
  static constexpr int kTimer1IntervalMs = 1000;

  // Form_Load: lists the pictures and reads their captions, shows the first slide, starts the
  // timer. `load_picture` tries to show a picture and tells whether it could.
  void Form_Load(const std::filesystem::path& program_folder,
                 const std::function<bool(const std::u16string&)>& load_picture);

  // Timer1_Timer: the next picture (wrapping after the last) and its caption. Without pictures
  // the index only counts up, and stops at the 16-bit limit.
  void Timer1_Timer(const std::function<bool(const std::u16string&)>& load_picture);

  // Check1_Click, after the box changed: the `SetTopMost` mode to apply.
  TopMostMode Check1_Click() const { return Check1 == 1 ? TopMostMode::Above : TopMostMode::Normal; }
};

// The caption file of a picture: the folder, then the picture's name in upper case with every
// ".JPG" replaced by ".txt".
std::filesystem::path CaptionPathFor(const std::filesystem::path& folder, const std::u16string& picture_name);

// Where the profile window opens: 930 twips right of and 500 twips below the main window's
// top-left corner, in pixels at 15 twips per pixel.
WindowPosition ProfileWindowPosition(WindowPosition main_window);

}  // namespace tabrel::shell
