#include "cli/command_line_window.h"

#include <map>
#include <utility>

#include "conversion/main_window_controls.h"
#include "platform/terminal.h"
#include "platform/window_system.h"

namespace corvalin::cli {
namespace {

struct CommandLineWindow {
  std::string pickerAnswer;
  std::map<platform::ControlIndex, std::string> texts;
};

CommandLineWindow& window() {
  static CommandLineWindow w;
  return w;
}

}  // namespace

void answerFolderPicker(std::string folder) { window().pickerAnswer = std::move(folder); }

}  // namespace corvalin::cli

namespace platform {

void setControlText(ControlIndex control, const char* text) {
  const std::string value = text == nullptr ? "" : text;
  corvalin::cli::window().texts[control] = value;
  // The status label is the program's report: the count after the scan, 完成 after the run.
  if (control == corvalin::kStatusLabel) writeText(Stream::Output, value + "\n");
}

std::string controlText(ControlIndex control) { return corvalin::cli::window().texts[control]; }

// Progress is shown per entry by the front end, with the run's own count.
void showProgress(ControlIndex, int, int, int) {}

void processPendingEvents() {}

std::string browseForFolder(const char*, bool) { return corvalin::cli::window().pickerAnswer; }

}  // namespace platform
