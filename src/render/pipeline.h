// pipeline.h -- the one small layer every drawing call goes through, so the scene is written
// once: OpenGL's fixed-function pipeline with display lists on the desktop
// (desktop_gl/fixed_pipeline.h), or our own shader pair over vertex buffers in the browser
// (render/shader_pipeline.h). The calls are GL's own, one for one: a modelview matrix stack,
// switches saved and put back, a current colour, a bound texture, meshes drawn by slot.
#pragma once

#include "math/vector3.h"
#include "render/mesh.h"

// What drawing switches on and off.
enum class Switch { LIGHTING, LIGHT0, LIGHT1, BLEND, DEPTH_TEST, ALPHA_TEST, CULL_FACE, TEXTURE };
enum class BlendFactor { ZERO, ONE, SRC_COLOR, SRC_ALPHA, DST_ALPHA };
enum class Face { FRONT, BACK };

// A light's colours; what is not set keeps GL's default.
struct LightColours {
    float ambient[4];
    float diffuse[4];
};

// The front material: its specular colour and shininess, and the ambient and diffuse colour
// that the current colour replaces from the next colour set on (GL_COLOR_MATERIAL).
struct Material {
    float specular[4];
    float shininess;
    float ambientDiffuse[4];
};

class Pipeline {
  public:
    virtual ~Pipeline() = default;

    // Start-up: the state every frame starts from, the lights' colours, the meshes to draw
    // (models as wire lines or solid; false when the pipeline cannot draw them).
    virtual void setUp() = 0;
    virtual void setLightColours(int light, const LightColours& colours) = 0;
    virtual bool takeMeshes(const MeshTable& meshes, bool wireLines) = 0;
    // The viewport and the perspective (vertical field of view in degrees, near and far)
    // for a window this size; the modelview matrix back to the identity.
    virtual void reshape(int width, int height, double fieldOfViewDegrees, double near,
                         double far) = 0;
    virtual void viewportSize(int& width, int& height) const = 0;

    // A frame: cleared first, flushed last.
    virtual void clear() = 0;
    virtual void finishFrame() = 0;

    // The modelview matrix and its stack.
    virtual void loadIdentity() = 0;
    virtual void lookAt(Vector3 eye, Vector3 centre, Vector3 up) = 0;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void translate(float x, float y, float z) = 0;
    virtual void rotate(float degrees, float x, float y, float z) = 0;
    virtual void scale(float x, float y, float z) = 0;
    // Turns the matrix to face the viewer, keeping its eye-space translation, unscaled;
    // returns that translation's x.
    virtual float faceViewer() = 0;

    // Light 0's position (w 0: a direction), through the current modelview matrix as GL
    // does; the front material.
    virtual void placeLight0(const float position[4]) = 0;
    virtual void setMaterial(const Material& material) = 0;

    virtual void enable(Switch which) = 0;
    virtual void disable(Switch which) = 0;
    virtual bool isEnabled(Switch which) const = 0;
    // Saves every switch (and with withCullFace the face culled) until the matching
    // restoreSwitches.
    virtual void saveSwitches(bool withCullFace) = 0;
    virtual void restoreSwitches() = 0;
    virtual void blendFunction(BlendFactor source, BlendFactor destination) = 0;
    // Fragments pass the alpha test while their alpha is above the reference.
    virtual void alphaTestAbove(float reference) = 0;
    virtual void cullFace(Face face) = 0;

    virtual void colour(float red, float green, float blue, float alpha) = 0;
    // The picture of a texture slot (TEX_...); an empty slot draws untextured.
    virtual void bindTexture(int slot) = 0;
    // The mesh of a list slot (LIST_...) through the current matrices, colour, texture and
    // switches; an empty slot draws nothing.
    virtual void drawMesh(int slot) = 0;

    // A line of the HUD's font, its first letter's origin at window pixel (x, y), at z in the
    // window's orthographic view (glOrtho(0, width, 0, height, -1, 1)), in the colour, with
    // the current switches; textures and lighting are the caller's to switch off.
    virtual void drawText(float x, float y, float z, Vector3 colour, const char* text) = 0;
};

// The pipeline drawing goes through from now on, render/renderer.h's calls included.
void usePipeline(Pipeline& pipeline);
// The one in use. In the browser, the shader pipeline with its glyphs file until another is
// chosen; a desktop program must choose before its first GL call through the layer.
Pipeline& activePipeline();

// Puts every switch (and the face culled, when asked) back as it was when the scope ends.
class SavedSwitches {
  public:
    explicit SavedSwitches(Pipeline& pipeline, bool withCullFace = false) : p(pipeline) {
        p.saveSwitches(withCullFace);
    }
    ~SavedSwitches() { p.restoreSwitches(); }
    SavedSwitches(const SavedSwitches&) = delete;
    SavedSwitches& operator=(const SavedSwitches&) = delete;

  private:
    Pipeline& p;
};
