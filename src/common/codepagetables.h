#pragma once

// The characters of bytes 0x80-0xFF of each code page, indexed by enum class CodePage
// (codepagetables.cpp is written by device/gen-codepages.py).
inline constexpr int kCodePageCount = 17;
extern const char16_t kCodePageHighHalves[kCodePageCount][128];
