// The main window's controls as the handlers use them, by name instead of table index.
#pragma once

#include "platform/window_system.h"
#include "text/text.h"

namespace corvalin {

// Index of each control in the main window's definition table (the table's order).
enum MainWindowControl : platform::ControlIndex {
  kStatusLabel = 0,  // 标签2
  kProgressBar,      // 进度条1
  kStartButton,      // 按钮2
  kCaptionLabel,     // 标签1
  kFolderEdit,       // 编辑框1
  kBrowseButton,     // 按钮1
  kMainWindowControlCount
};

// The text 编辑框1 shows now, as a new text.
Text folderEditText();
void setFolderEditText(const Text& text);
void setStatusLabelText(const Text& text);
// Values are clamped to 0..32767; the bar shows the stored position clamped into its range.
void setProgressMaximum(int maximum);
void setProgressPosition(int position);

}  // namespace corvalin
