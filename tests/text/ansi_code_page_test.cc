// The Windows build must run with the ANSI code page 936: every text of the program is
// code page 936 bytes handed to the "A" functions as they are.
#include <gtest/gtest.h>
#include <windows.h>

TEST(AnsiCodePage, IsSimplifiedChinese) { EXPECT_EQ(GetACP(), 936u); }
