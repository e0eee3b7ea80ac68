#pragma once

#include "codepage.h"
#include "zgfdraw.h"

// The drawing library's table of a code page (zgf_cp1251 for Windows-1251, and so on).
const zgf_codepage &deviceCodePage(CodePage page);
