// The platform's two code page conversions, shaped after Win32's MultiByteToWideChar and
// WideCharToMultiByte. UTF-16 travels as little-endian 16-bit units in byte buffers.
//
// Code pages: 0 is the system's ANSI code page (936 on the systems the program is made for),
// 936 simplified Chinese (GBK), 65001 UTF-8. An input length of -1 means the input ends at its
// zero byte (or zero unit), which is converted too. A room of 0 only counts: the result is the
// size the output needs. Otherwise the result is the size written, or 0 when the room was too
// small (the buffer may then hold part of the output), the input is null or the code page is
// not known. A character the target code page cannot hold comes out as its default character.
#pragma once

#include <cstdint>

namespace platform {

// Reads `input` in `codePage` and writes UTF-16 into `wideOutput`, which has room for
// `outputUnits` units. Sizes count 16-bit units.
int multiByteToWideChar(int codePage, std::uint32_t flags, const char* input, int inputLength,
                        char* wideOutput, int outputUnits);

// Reads the UTF-16 units at `wideInput` and writes them in `codePage` into `output`, which has
// room for `outputBytes` bytes. The input length counts units, the sizes count bytes.
int wideCharToMultiByte(int codePage, std::uint32_t flags, const char* wideInput, int inputUnits,
                        char* output, int outputBytes);

}  // namespace platform
