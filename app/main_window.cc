#include "app/main_window.h"

#include <array>
#include <string_view>

#include "conversion/conversion_run.h"
#include "conversion/folder_scan.h"
#include "conversion/main_window_controls.h"

namespace corvalin {
namespace {

using platform::ControlDefinition;
using platform::ControlKind;

// 标签1 asks for a character height of 16 pixels (internal leading excluded).
constexpr int kCaptionFontHeight = -16;
constexpr int kDefaultGuiFont = 0;

// One control a row, its settings in the order of ControlDefinition.
// clang-format off
constexpr std::array<ControlDefinition, kMainWindowControlCount> kControls = {{
    // kind, name, left, top, width, height, text, visible, enabled, tab stop, click, font
    {ControlKind::Label, "\xB1\xEA\xC7\xA9\x32",  // 标签2
     24, 80, 96, 40, "", true, true, false, nullptr, kDefaultGuiFont},
    {ControlKind::ProgressBar, "\xBD\xF8\xB6\xC8\xCC\xF5\x31",  // 进度条1
     0, 136, 380, 24, nullptr, true, true, false, nullptr, kDefaultGuiFont},
    {ControlKind::PushButton, "\xB0\xB4\xC5\xA5\x32",  // 按钮2
     143, 80, 88, 48, "\xBF\xAA\xCA\xBC",  // 开始
     true, true, true, convertAll, kDefaultGuiFont},
    {ControlKind::Label, "\xB1\xEA\xC7\xA9\x31",  // 标签1
     8, 16, 72, 32, "\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC",  // 缓存目录
     true, true, false, nullptr, kCaptionFontHeight},
    {ControlKind::EditBox, "\xB1\xE0\xBC\xAD\xBF\xF2\x31",  // 编辑框1
     80, 16, 232, 32, "", true, false, true, nullptr, kDefaultGuiFont},
    {ControlKind::PushButton, "\xB0\xB4\xC5\xA5\x31",  // 按钮1
     315, 15, 56, 32, "\xE4\xAF\xC0\xC0",  // 浏览
     true, true, true, scanCacheFolder, kDefaultGuiFont},
}};

// The handlers address the controls by MainWindowControl: the table must keep that order.
constexpr bool named(MainWindowControl control, std::string_view name) {
  return name == kControls[control].name;
}
static_assert(named(kStatusLabel, "\xB1\xEA\xC7\xA9\x32"));             // 标签2
static_assert(named(kProgressBar, "\xBD\xF8\xB6\xC8\xCC\xF5\x31"));     // 进度条1
static_assert(named(kStartButton, "\xB0\xB4\xC5\xA5\x32"));             // 按钮2
static_assert(named(kCaptionLabel, "\xB1\xEA\xC7\xA9\x31"));            // 标签1
static_assert(named(kFolderEdit, "\xB1\xE0\xBC\xAD\xBF\xF2\x31"));      // 编辑框1
static_assert(named(kBrowseButton, "\xB0\xB4\xC5\xA5\x31"));            // 按钮1

constexpr platform::WindowDefinition kMainWindow = {
    "Corvalin\xBB\xBA\xB4\xE6\xD7\xAA\xBB\xBB\xB9\xA4\xBE\xDF\xA1\xAA\xA1\xAA"
    "Brismere",  // Corvalin缓存转换工具——Brismere
    50, 50, 380, 191, kControls.data(), static_cast<int>(kControls.size())};
// clang-format on

}  // namespace

const platform::WindowDefinition& mainWindowDefinition() { return kMainWindow; }

}  // namespace corvalin
