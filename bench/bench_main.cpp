// bench_main.cpp -- wibz_bench: every benchmark of the game in one program. With an X
// display (tests/run_in_xvfb.sh) it opens a GLUT window first, set up as the game sets up
// its own, for the drawing benchmarks; without one those are skipped. Run it in the data
// folder:   cd build/data && ../../tests/run_in_xvfb.sh ../bench/wibz_bench
// Every benchmark for a moment, in a second (CTest's script_bench): add
// --benchmark_min_time=0.001 --benchmark_filter=-normalsFullScan/100000 (that one runs once
// whatever the time asked, some 10 s).
#include "bench_support.h"

#include "desktop_gl/fixed_pipeline.h"
#include "render/renderer.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>

namespace {
constexpr int startWidth = 400;
constexpr int startHeight = 300;

bool displayReachable() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

// The window and GL state of the game's start-up, its lights and its model lists.
void openGameWindow(int* argc, char** argv) {
    chooseDesktopPipeline(); // before the first reshape
    glutInit(argc, argv);
    glutInitWindowSize(startWidth, startHeight);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Wibz3D benchmarks");
    glutDisplayFunc([] {});
    glutReshapeFunc(onReshape);
    for (int i = 0; i < 20; ++i) {
        glutMainLoopEvent(); // mapped, and the first reshape done
    }
    initGl();
    initLights();
    if (dataFolderPresent()) {
        buildModels(false);
    }
    benchWindowOpen = true;
}
} // namespace

// The game prints its console lines to standard output (the frame timer once a simulated
// second, the textures as they load); that output is dropped and the results go to
// standard error instead.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 1;
    }
    if (displayReachable()) {
        openGameWindow(&argc, argv);
    }
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
