// fixed_pipeline.h -- the desktop's drawing: every call of the layer is the OpenGL 1 call it
// names, the meshes are display lists and the HUD's letters freeglut's bitmaps, so the
// picture is the fixed-function pipeline's to the pixel.
#pragma once

#include "render/pipeline.h"

// The desktop's pipeline: render/renderer.h draws through it once chosen (the game does
// before initGl).
void useFixedFunctionPipeline();

// The desktop drawn through the shader pipeline instead, its HUD glyphs taken from freeglut
// at initGl (desktop_gl/glyph_capture.h): for the tests and the picture comparisons.
void useShaderPipelineOnTheDesktop();
// The shader pipeline when the environment's WIBZ3D_SHADERS is 1 (a switch for comparing
// the two pictures, not for players), else the fixed-function one.
void chooseDesktopPipeline();
