// fixed_pipeline.cpp -- the layer's calls as OpenGL 1 calls, one for one.
#include "desktop_gl/fixed_pipeline.h"

#include "desktop_gl/display_lists.h"
#include "desktop_gl/glyph_capture.h"
#include "render/gl_blend.h"
#include "render/renderer.h"
#include "render/shader_pipeline.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
GLenum capOf(Switch which) {
    switch (which) {
    case Switch::LIGHTING:
        return GL_LIGHTING;
    case Switch::LIGHT0:
        return GL_LIGHT0;
    case Switch::LIGHT1:
        return GL_LIGHT1;
    case Switch::BLEND:
        return GL_BLEND;
    case Switch::DEPTH_TEST:
        return GL_DEPTH_TEST;
    case Switch::ALPHA_TEST:
        return GL_ALPHA_TEST;
    case Switch::CULL_FACE:
        return GL_CULL_FACE;
    case Switch::TEXTURE:
        return GL_TEXTURE_2D;
    }
    return GL_TEXTURE_2D;
}

class FixedPipeline : public Pipeline {
  public:
    void setUp() override {
        glShadeModel(GL_SMOOTH);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_COLOR_MATERIAL);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        glEnable(GL_LIGHTING);
    }
    void setLightColours(int light, const LightColours& colours) override {
        const GLenum name = light == 0 ? GL_LIGHT0 : GL_LIGHT1;
        glLightfv(name, GL_AMBIENT, colours.ambient);
        glLightfv(name, GL_DIFFUSE, colours.diffuse);
    }
    bool takeMeshes(const MeshTable& meshes, bool wireLines) override {
        compileModelLists(displayLists, meshes, wireLines ? GL_LINE_STRIP : GL_TRIANGLES);
        return true;
    }
    void reshape(int width, int height, double fieldOfViewDegrees, double near,
                 double far) override {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(fieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height),
                       near, far);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void viewportSize(int& width, int& height) const override {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        width = viewport[2];
        height = viewport[3];
    }

    void clear() override { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
    void finishFrame() override { glFlush(); }

    void loadIdentity() override { glLoadIdentity(); }
    void lookAt(Vector3 eye, Vector3 centre, Vector3 up) override {
        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
    }
    void pushMatrix() override { glPushMatrix(); }
    void popMatrix() override { glPopMatrix(); }
    void translate(float x, float y, float z) override { glTranslatef(x, y, z); }
    void rotate(float degrees, float x, float y, float z) override { glRotatef(degrees, x, y, z); }
    void scale(float x, float y, float z) override { glScalef(x, y, z); }
    float faceViewer() override {
        GLfloat m[16] = {};
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        m[0] = 1.0f;
        m[1] = 0.0f;
        m[2] = 0.0f;
        m[4] = 0.0f;
        m[5] = 1.0f;
        m[6] = 0.0f;
        m[8] = 0.0f;
        m[9] = 0.0f;
        m[10] = 1.0f;
        glLoadMatrixf(m);
        return m[12];
    }

    void placeLight0(const float position[4]) override {
        glLightfv(GL_LIGHT0, GL_POSITION, position);
    }
    void setMaterial(const Material& material) override {
        glMaterialfv(GL_FRONT, GL_SPECULAR, material.specular);
        glMaterialf(GL_FRONT, GL_SHININESS, material.shininess);
        glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material.ambientDiffuse);
    }

    void enable(Switch which) override { glEnable(capOf(which)); }
    void disable(Switch which) override { glDisable(capOf(which)); }
    bool isEnabled(Switch which) const override { return glIsEnabled(capOf(which)); }
    // Mesa 22's glPopAttrib leaves the lights' own switches as they are, so light 1, the one
    // drawing switches, is put back by hand.
    void saveSwitches(bool withCullFace) override {
        light1WasOn.push_back(glIsEnabled(GL_LIGHT1));
        glPushAttrib(GL_ENABLE_BIT | (withCullFace ? GL_POLYGON_BIT : 0));
    }
    void restoreSwitches() override {
        glPopAttrib();
        if (light1WasOn.back()) {
            glEnable(GL_LIGHT1);
        } else {
            glDisable(GL_LIGHT1);
        }
        light1WasOn.pop_back();
    }
    void blendFunction(BlendFactor source, BlendFactor destination) override {
        glBlendFunc(glBlendFactorOf(source), glBlendFactorOf(destination));
    }
    void alphaTestAbove(float reference) override { glAlphaFunc(GL_GREATER, reference); }
    void cullFace(Face face) override { glCullFace(face == Face::FRONT ? GL_FRONT : GL_BACK); }

    void colour(float red, float green, float blue, float alpha) override {
        glColor4f(red, green, blue, alpha);
    }
    void bindTexture(int slot) override { glBindTexture(GL_TEXTURE_2D, textureName(slot)); }
    void drawMesh(int slot) override { glCallList(displayLists[slot]); }

    // At the raster position, through a projection of the window's pixels, one bitmap of
    // GLUT_BITMAP_HELVETICA_18 a letter.
    void drawText(float x, float y, float z, Vector3 colour, const char* text) override {
        int width = 0;
        int height = 0;
        viewportSize(width, height);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glColor3f(colour.x, colour.y, colour.z);
        glRasterPos3f(x, y, z);
        for (const char* c = text; *c != '\0'; ++c) {
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(*c));
        }
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }

  private:
    std::vector<GLboolean> light1WasOn; // one entry for each saveSwitches not yet restored
};

FixedPipeline fixedPipeline;
} // namespace

void useFixedFunctionPipeline() {
    usePipeline(fixedPipeline);
}

void useShaderPipelineOnTheDesktop() {
    useShaderPipeline(captureGlyphAtlas);
}

void chooseDesktopPipeline() {
    const char* shaders = std::getenv("WIBZ3D_SHADERS");
    if (shaders != nullptr && std::string(shaders) == "1") {
        useShaderPipelineOnTheDesktop();
    } else {
        useFixedFunctionPipeline();
    }
}
