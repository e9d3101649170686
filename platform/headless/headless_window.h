// The in-memory window system's test side: script what the user does (folder picker answers,
// clicks, closing the window) and read what the window shows.
//
// Scripted events wait in one queue; processPendingEvents and the message loop dispatch them in
// order, so a click queued before a conversion run starts is handled nested inside that run.
// When the script runs dry while the message loop waits, the user closes the window.
// Controls keep their last texts after the window is destroyed; writes then still store.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/window_rules.h"
#include "platform/window_system.h"

namespace platform::headless {

// Back to a fresh process: no window, nothing queued, no answers, and the portable window
// rules reset (exit list, loop-running flag, progress bar).
void reset();

// The next folder picker call returns this folder; "" is the user cancelling. A picker call
// with no answer left is cancelled.
void queuePickerAnswer(std::string folder);
void queueClick(ControlIndex control);
void queueCloseRequest();
// The next loadMainWindow fails.
void failNextWindowLoad();

bool windowAlive();
bool windowSystemStarted();
std::vector<std::string> pickerTitles();  // the title of each picker call so far
// Every text set on the control since the reset, in order.
std::vector<std::string> textHistory(ControlIndex control);
ShownProgress progressShown();
// Called with what the progress bar shows each time it is shown anew.
void onProgressShown(std::function<void(const ShownProgress&)> observer);

}  // namespace platform::headless
