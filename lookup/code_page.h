// Code page conversion: song pages arrive as UTF-8, every text of the program is code page 936.
// UTF-16 is held in Bytes as little-endian 16-bit units.
#pragma once

#include <optional>

#include "text/text.h"

namespace corvalin {

// The UTF-8 text `input` in code page 936; a character 936 cannot hold becomes "?".
// Absent gives absent, empty gives empty.
Text utf8ToGbk(const Text& input);

// `input` read in `codePage` (omitted: UTF-8, 65001; a given 0 is the system's ANSI code page)
// as UTF-16. The buffer is sized by the units the text yields in the system's ANSI code page,
// 2 bytes each, and zero bytes fill it after the converted units and their zero unit. When the
// chosen code page yields more units than that (input that is not valid UTF-8, say), the buffer
// is sized for the chosen code page instead, so nothing is cut off. An absent text gives absent
// Bytes, an empty one two zero bytes.
Bytes ansiToWide(const Text& input, std::optional<int> codePage = std::nullopt);

// The UTF-16 units of `wide` up to its first zero unit, written in `codePage` (omitted: the
// system's ANSI code page, 0). UTF-16 without a zero unit ends at its last whole unit.
Text wideToAnsi(const Bytes& wide, std::optional<int> codePage = std::nullopt);

}  // namespace corvalin
