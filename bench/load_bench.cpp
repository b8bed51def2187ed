// load_bench.cpp -- times the start-up asset loading in a real GLUT window: loadTextures
// and buildModelLists, as main calls them. Run it in the data folder, under a display:
//   cd build/data && ../bench/wibz_bench_load
#include "assets/display_lists.h"
#include "assets/textures.h"

#include <GL/freeglut.h>
#include <chrono>
#include <cstdio>

namespace {
template <typename Fn> double millisecondsOf(Fn fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(400, 300);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Wibz3D");
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    const double textureMs = millisecondsOf([] { loadTextures(); });
    const double listMs = millisecondsOf([] { buildModelLists(displayLists, GL_TRIANGLES); });
    std::fprintf(stderr, "loadTextures %.1f ms, buildModelLists %.1f ms, together %.1f ms\n",
                 textureMs, listMs, textureMs + listMs);
    return quiet != nullptr ? 0 : 1;
}
