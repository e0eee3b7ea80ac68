#pragma once

// Glyphs are drawn as the document says (its hinting, its smoothing) on every machine: a
// fontconfig setting of the machine or the person that changes the outlines' pixels (the
// autohinter) is overridden, so the same project and font files make the same font
// everywhere. Takes effect for fonts set up after the first call; later calls do nothing.
void ignoreMachineGlyphSettings();
