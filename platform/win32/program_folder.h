// The folder that holds the program file, cut at its last "\" by code page 936 characters.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Position (0-based) of the last "\" that starts a character, scanning by code page 936
// characters so that the second byte of a two-byte character is never taken for it;
// std::string_view::npos when there is none.
std::size_t lastSeparator(std::string_view path);

// The full path of the program file up to, not including, its last "\".
std::string programFolder();

}  // namespace platform::win32
