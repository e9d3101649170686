#include "conversion/main_window_controls.h"

#include "platform/window_rules.h"

namespace corvalin {
namespace {

void showOnProgressBar(const platform::ShownProgress& shown) {
  platform::showProgress(kProgressBar, shown.low, shown.high, shown.position);
}

}  // namespace

Text folderEditText() { return Text::fromBytes(platform::controlText(kFolderEdit)); }

void setFolderEditText(const Text& text) {
  platform::setControlText(kFolderEdit, text.str().c_str());
}

void setStatusLabelText(const Text& text) {
  platform::setControlText(kStatusLabel, text.str().c_str());
}

void setProgressMaximum(int maximum) { showOnProgressBar(platform::storeProgressMaximum(maximum)); }

void setProgressPosition(int position) {
  showOnProgressBar(platform::storeProgressPosition(position));
}

}  // namespace corvalin
