// The main window as data: the window and its six controls with every setting they are
// created with, in creation order (the order of MainWindowControl).
#pragma once

#include "platform/window_system.h"

namespace corvalin {

const platform::WindowDefinition& mainWindowDefinition();

}  // namespace corvalin
