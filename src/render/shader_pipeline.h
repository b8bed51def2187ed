// shader_pipeline.h -- the drawing for OpenGL ES 2.0 and WebGL 1: no display lists, no
// immediate mode, no fixed-function lighting, alpha test or matrix stack. One pair of GLSL ES
// 1.00 shaders does what the fixed-function pipeline does for this game (two lights lit per
// vertex, the current colour as ambient and diffuse material, textures modulated, the alpha
// test), over one vertex buffer a mesh; the matrices are our own (render/matrix4.h), and the
// HUD's letters come from a glyph atlas.
#pragma once

#include "render/glyph_atlas.h"
#include "render/pipeline.h"

// Where the HUD's glyphs come from, once the GL context exists; false when they cannot be had.
using GlyphSource = bool (*)(GlyphAtlas& into);
// The browser's source: hudGlyphsFile (render/renderer.h) in the data folder.
bool readHudGlyphs(GlyphAtlas& into);

// Draw through the shaders from now on, the HUD's glyphs taken from the source with the
// first meshes.
// Until another pipeline is chosen this one draws, with readHudGlyphs.
void useShaderPipeline(GlyphSource glyphs);
