// The terminal of a command-line program: texts inside are code page 936 bytes, the terminal
// has its own encoding (UTF-8 on Linux; the console code page on Windows).
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class Stream { Output, Error };

bool isTerminal(Stream stream);
// Writes a text in the terminal's encoding.
void writeText(Stream stream, std::string_view systemText);
// A command-line argument as a text of the system.
std::string argumentText(const char* argument);

}  // namespace platform
