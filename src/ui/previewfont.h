#pragma once

#include "surface.h"
#include "texelfont.h"

// The document's font as the preview panes request it.
inline SurfaceFont previewFont(const TexelFont &font)
{
    return font.surfaceFont();
}
