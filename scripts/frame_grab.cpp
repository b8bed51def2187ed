// frame_grab.cpp -- preloaded into the game by scripts/compare_frames.sh: before each buffer
// swap whose number is in GRAB_FRAMES (comma-separated, counted from 1), the back buffer is
// written to GRAB_DIR/frameNNNNN.ppm, and after the last of them the game ends at once. It
// wraps glutSwapBuffers, so it takes the frames of any build of the game, one made before a
// change as well as after.
#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {
std::set<long> wantedFrames() {
    std::set<long> wanted;
    const char* list = std::getenv("GRAB_FRAMES");
    for (const char* p = list; p != nullptr && *p != '\0';) {
        char* end = nullptr;
        wanted.insert(std::strtol(p, &end, 10));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p != '\0') {
            break;
        }
    }
    return wanted;
}

void writeBackBuffer(long frame) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2];
    const int height = viewport[3];
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const std::string path = std::string(std::getenv("GRAB_DIR")) + "/frame" +
                             std::to_string(100000 + frame).substr(1) + ".ppm";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row) { // the format's top row first
        std::fwrite(&rgb[static_cast<std::size_t>(row) * width * 3], 1,
                    static_cast<std::size_t>(width) * 3, out);
    }
    std::fclose(out);
}
} // namespace

extern "C" void glutSwapBuffers() {
    using Swap = void (*)();
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    static const std::set<long> wanted = wantedFrames();
    static long frame = 0;
    frame += 1;
    if (wanted.count(frame) != 0) {
        writeBackBuffer(frame);
        if (frame == *wanted.rbegin()) {
            std::_Exit(0);
        }
    }
    realSwap();
}
