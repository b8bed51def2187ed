// renderer.cpp -- the shell's calls, handed to the pipeline in use.
#include "render/renderer.h"

#include "render/mesh.h"
#include "render/pipeline.h"
#include "render/projection.h"
#include "render/scene.h"
#include "render/shader_pipeline.h"

#include <cstdio>
#include <cstdlib>

namespace {
Pipeline* chosen = nullptr;
} // namespace

void usePipeline(Pipeline& pipeline) {
    chosen = &pipeline;
}

// The browser draws with the shaders unless told otherwise. A desktop program must choose
// before anything is drawn, a reshape included: the wrong pipeline's picture would be
// nothing but the HUD, with no word why.
Pipeline& activePipeline() {
    if (chosen == nullptr) {
#if defined(__EMSCRIPTEN__)
        useShaderPipeline(readHudGlyphs);
#else
        std::fprintf(stderr, "wibz3d: drawing before a pipeline was chosen\n");
        std::abort();
#endif
    }
    return *chosen;
}

void initGl() {
    activePipeline().setUp();
}

void initLights() {
    std::printf("Initializing Lights...");
    Pipeline& p = activePipeline();
    p.setLightColours(0, LightColours{{0.1f, 0.1f, 0.1f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}});
    p.setLightColours(1, LightColours{{0.9f, 0.9f, 0.9f, 1.0f}, {0.9f, 0.9f, 0.9f, 1.0f}});
    p.enable(Switch::LIGHT0);
}

bool buildModels(bool wireLines) {
    MeshTable meshes;
    readModelMeshes(meshes);
    return activePipeline().takeMeshes(meshes, wireLines);
}

// The projection follows the window's shape.
void onReshape(int width, int height) {
    if (width == 0 || height == 0) {
        return;
    }
    activePipeline().reshape(width, height, perspectiveFieldOfViewDegrees, perspectiveNearUnits,
                             perspectiveFarUnits);
}

void drawScene(const GameState& g, const DrawableState& d) {
    drawFrame(activePipeline(), g, d);
}

void setLighting(bool on) {
    Pipeline& p = activePipeline();
    on ? p.enable(Switch::LIGHTING) : p.disable(Switch::LIGHTING);
}

void setBackFaceCulling(bool on) {
    Pipeline& p = activePipeline();
    if (on) {
        p.enable(Switch::CULL_FACE);
        p.cullFace(Face::BACK);
    } else {
        p.disable(Switch::CULL_FACE);
    }
}
