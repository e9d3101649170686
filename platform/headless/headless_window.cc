#include "platform/headless/headless_window.h"

#include <deque>
#include <map>
#include <optional>
#include <utility>

namespace platform::headless {
namespace {

struct Event {
  enum class Kind { Click, Close } kind;
  ControlIndex control = 0;
};

struct HeadlessState {
  bool started = false;
  bool failLoad = false;
  const WindowDefinition* window = nullptr;
  bool alive = false;
  std::map<ControlIndex, std::string> texts;
  std::map<ControlIndex, std::vector<std::string>> textHistory;
  ShownProgress progress = shownProgress(ProgressBarValues{});
  std::function<void(const ShownProgress&)> progressObserver;
  std::deque<std::string> pickerAnswers;
  std::vector<std::string> pickerTitles;
  std::deque<Event> events;
  std::optional<int> quitRequest;
};

HeadlessState& state() {
  static HeadlessState s;
  return s;
}

void destroyWindow() {
  HeadlessState& s = state();
  if (!s.alive) return;
  s.alive = false;
  if (quitDueAfterWindowDestroyed(0)) s.quitRequest = 0;
}

void dispatch(const Event& event) {
  HeadlessState& s = state();
  if (!s.alive) return;  // events for a destroyed window go nowhere
  if (event.kind == Event::Kind::Close) {
    destroyWindow();
    return;
  }
  if (event.control < 0 || event.control >= s.window->controlCount) return;
  if (void (*handler)() = s.window->controls[event.control].onClick) handler();
}

}  // namespace

void reset() {
  state() = HeadlessState{};
  resetWindowRules();
}

void queuePickerAnswer(std::string folder) { state().pickerAnswers.push_back(std::move(folder)); }
void queueClick(ControlIndex control) { state().events.push_back({Event::Kind::Click, control}); }
void queueCloseRequest() { state().events.push_back({Event::Kind::Close, 0}); }
void failNextWindowLoad() { state().failLoad = true; }

bool windowAlive() { return state().alive; }
bool windowSystemStarted() { return state().started; }
std::vector<std::string> pickerTitles() { return state().pickerTitles; }

std::vector<std::string> textHistory(ControlIndex control) {
  const auto found = state().textHistory.find(control);
  return found == state().textHistory.end() ? std::vector<std::string>{} : found->second;
}

ShownProgress progressShown() { return state().progress; }

void onProgressShown(std::function<void(const ShownProgress&)> observer) {
  state().progressObserver = std::move(observer);
}

}  // namespace platform::headless

namespace platform {

using headless::state;

void startWindowSystem() { state().started = true; }

void stopWindowSystem() { state().started = false; }

bool loadMainWindow(const WindowDefinition& window) {
  headless::HeadlessState& s = state();
  if (std::exchange(s.failLoad, false)) return false;
  s.window = &window;
  s.alive = true;
  for (int i = 0; i < window.controlCount; ++i) {
    s.texts[i] = window.controls[i].text == nullptr ? "" : window.controls[i].text;
  }
  return true;
}

int runMessageLoop() {
  headless::HeadlessState& s = state();
  markLoopRunning();
  if (!s.alive) return 0;
  for (;;) {
    if (s.quitRequest) return *std::exchange(s.quitRequest, std::nullopt);
    if (s.events.empty()) {
      headless::destroyWindow();  // the script ran dry: the user closes the window
      continue;
    }
    const headless::Event event = s.events.front();
    s.events.pop_front();
    headless::dispatch(event);
  }
}

void processPendingEvents() {
  headless::HeadlessState& s = state();
  while (!s.events.empty() && !s.quitRequest) {
    const headless::Event event = s.events.front();
    s.events.pop_front();
    headless::dispatch(event);
  }
}

void setControlText(ControlIndex control, const char* text) {
  const std::string value = text == nullptr ? "" : text;
  state().texts[control] = value;
  state().textHistory[control].push_back(value);
}

std::string controlText(ControlIndex control) { return state().texts[control]; }

void showProgress(ControlIndex, int low, int high, int shownPosition) {
  headless::HeadlessState& s = state();
  s.progress = {low, high, shownPosition};
  if (s.progressObserver) s.progressObserver(s.progress);
}

std::string browseForFolder(const char* title, bool) {
  headless::HeadlessState& s = state();
  s.pickerTitles.push_back(title == nullptr ? "" : title);
  if (s.pickerAnswers.empty()) return {};
  std::string answer = std::move(s.pickerAnswers.front());
  s.pickerAnswers.pop_front();
  return answer;
}

}  // namespace platform
