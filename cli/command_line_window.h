// The window system of the command-line front end: the folder picker answers with the folder
// given on the command line, 标签2's texts are printed as lines, and there are no events.
#pragma once

#include <string>

namespace corvalin::cli {

// The folder the next folder picker call returns (code page 936).
void answerFolderPicker(std::string folder);

}  // namespace corvalin::cli
