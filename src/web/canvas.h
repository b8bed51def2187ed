// canvas.h -- the page's canvas (#canvas) and its WebGL 1 context, the browser's window.
#pragma once

#include <string>

// Sizes the canvas's drawing buffer and makes a WebGL 1 context current on it: depth
// buffer, no alpha, no multisampling, as the desktop's window. False with the page's
// message when the browser gives no WebGL.
bool openCanvas(int width, int height, std::string& refusal);
