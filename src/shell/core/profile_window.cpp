#include "shell/core/profile_window.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "shell/core/platform_files.h"
#include "runtime/strings.h"
#include "spreadsheet/core/text.h"

namespace tabrel::shell {

namespace {

constexpr int kTwipsPerPixel = 15;


// The picture files of the folder, by name (normal files whose name ends in ".jpg", any case).
std::vector<std::u16string> list_pictures(const std::filesystem::path& folder) {
  std::vector<std::u16string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::u16string name = PathText(it->path().filename());
    if (name.size() > 4 && lower(std::u16string_view(name).substr(name.size() - 4)) == u".jpg") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A caption file's text: UTF-8 when it is, else the Korean code page.
std::u16string decode_caption(const std::string& bytes) {
  std::u16string text = from_utf8(bytes);
  if (text.find(u'\uFFFD') != std::u16string::npos) {
    if (auto korean = decode_codepage(bytes, 949)) text = std::move(*korean);
  }
  return text;
}

// Every line of the caption file followed by CR LF; a missing file gives the empty caption.
std::u16string read_caption(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return u"";
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::u16string text = decode_caption(bytes);
  std::u16string caption;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == std::u16string::npos) end = text.size();
    caption += text.substr(pos, end - pos);
    caption += u"\r\n";
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
    pos = end + 1;
  }
  return caption;
}

}  // namespace

std::filesystem::path CaptionPathFor(const std::filesystem::path& folder, const std::u16string& picture_name) {
  const std::u16string name = rt::Replace(upper(picture_name), u".JPG", u".txt");
  return folder / PathFromText(name);
}

void FrmProfile::Form_Load(const std::filesystem::path& program_folder,
                           const std::function<bool(const std::u16string&)>& load_picture) {
  const std::filesystem::path folder = program_folder / "profileimage";
  for (const std::u16string& name : list_pictures(folder)) {
    SlidePaths.push_back(PathText(folder / PathFromText(name)));
    SlideCaptions.push_back(read_caption(CaptionPathFor(folder, name)));
  }
  Timer1_Timer(load_picture);
  Timer1Enabled = true;
}

void FrmProfile::Timer1_Timer(const std::function<bool(const std::u16string&)>& load_picture) {
  const size_t count = SlidePaths.size();
  if (static_cast<size_t>(SlideIndex) == count) {
    SlideIndex = 1;
  } else if (SlideIndex < INT16_MAX) {
    ++SlideIndex;
  }
  if (SlideIndex < 1 || static_cast<size_t>(SlideIndex) > count) return;
  const size_t shown = static_cast<size_t>(SlideIndex - 1);
  if (load_picture(SlidePaths[shown])) Image1 = SlidePaths[shown];
  Label1.SetCaption(SlideCaptions[shown]);
}

WindowPosition ProfileWindowPosition(WindowPosition main_window) {
  return WindowPosition{main_window.left + 930 / kTwipsPerPixel, main_window.top + 500 / kTwipsPerPixel};
}

}  // namespace tabrel::shell
