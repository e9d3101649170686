// Conversion at the operating system's edge on POSIX: inside, every text is code page 936
// bytes; outside (file names, paths, the terminal) it is UTF-8. GB18030 is used for the inside
// form because it is code page 936 for every character 936 has and still holds every other
// character, so a name that 936 cannot hold survives the round trip.
#pragma once

#include <string>
#include <string_view>

namespace platform::posix {

// Code page 936 (GB18030) bytes to UTF-8; a byte sequence that is not valid becomes "?".
std::string systemToUtf8(std::string_view text);

// UTF-8 to code page 936 (GB18030) bytes; a byte sequence that is not valid UTF-8 becomes "?".
std::string utf8ToSystem(std::string_view text);

}  // namespace platform::posix
