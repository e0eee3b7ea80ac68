#pragma once

#include "inforeport.h"

class ZgfFont;

// The header fields of a ZGF font under their names (the flags also spelled out in the
// text form), the character set, the four tables, whether the images are RLE coded and
// masked, and the sizes of the images. Colours are given as 0x00BBGGRR values.
InfoReport zgfReport(const ZgfFont &font, bool validHeader);
