// gl.h -- the OpenGL the portable drawing may use: OpenGL ES 2.0 (WebGL 1) in the browser;
// on the desktop, the same calls from the system's OpenGL, whose Mesa compiles
// "#version 100" shaders too.
#pragma once

#if defined(__EMSCRIPTEN__)
#include <GLES2/gl2.h>
#else
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#endif
