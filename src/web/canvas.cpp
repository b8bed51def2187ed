// canvas.cpp -- the WebGL context through emscripten's html5.h. The drawing buffer is kept
// after each frame is shown, so the page (and its tests) can read back what was drawn.
#include "web/canvas.h"

#include <emscripten/html5.h>

bool openCanvas(int width, int height, std::string& refusal) {
    emscripten_set_canvas_element_size("#canvas", width, height);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        refusal = "This browser gives the page no WebGL, which the game draws with. Turn on "
                  "WebGL (or hardware acceleration) in the browser's settings, or try another "
                  "browser.";
        return false;
    }
    return true;
}
