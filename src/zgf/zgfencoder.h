#pragma once

class Feedback;
class QIODevice;
class Surface;

// The two ways a ZGF file stores an image, read from a surface row by row and appended to
// an open device. With channels 1 the image is a mask: only the red level of each pixel,
// inverted (31 - level) when invert is set. Otherwise it is a glyph image of full pixels.
//
// Progress: nothing at all for an empty image; otherwise the range 0..rows (RAW) or
// 0..rows x channels (RLE) is set, the bar shown at 0, advanced by one per row (per row and
// channel for RLE), and hidden at the end, also when a write fails.
//
// A failed write throws the device's I/O failure (naming the file for a file device).

// Plain pixels: one byte per pixel for channels 1 (the level), otherwise one 16-bit
// little-endian GP32 pixel with low bit 1; invert applies to the 1-byte form only.
void RAWEncodeBitmap16(QIODevice &file, const Surface &bitmap, int channels, bool invert, Feedback &feedback);

// Run-length coded levels: every row, channel 1 (red) to channels (2 green, 3 blue), as
// runs of equal levels that never cross a row or channel; invert applies to every channel.
// A run of c pixels of level v: c <= 7 is one byte c x 32 + v; 8..255 the bytes v, c;
// longer runs v, 255 and then the remaining c - 255 coded the same way.
void RLEEncodeBitmap16(QIODevice &file, const Surface &bitmap, int channels, bool invert, Feedback &feedback);
