// shader_pipeline.cpp -- the layer's calls kept as state and drawn by the shader pair
// (render/shader_sources.h): matrices, switches, lights and the current colour become
// uniforms and constant attributes at each draw. The GL state that OpenGL ES still has
// (blending, depth test, culling) is GL's own.
#include "render/shader_pipeline.h"

#include "render/gl.h"
#include "render/gl_blend.h"
#include "render/matrix4.h"
#include "render/renderer.h"
#include "render/shader_sources.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
enum Attribute : GLuint { POSITION, NORMAL, TEX_COORD, COLOUR };
constexpr int floatsPerVertex = 8; // position, normal, texture coordinates
constexpr GLsizei vertexStride = floatsPerVertex * sizeof(float);
constexpr float alwaysPasses = -1.0f; // GL's first alpha function: every fragment passes

struct Uniforms {
    GLint modelView = -1;
    GLint modelViewProjection = -1;
    GLint normalMatrix = -1;
    GLint lit = -1;
    GLint sceneAmbient = -1;
    GLint materialSpecular = -1;
    GLint materialShininess = -1;
    GLint lightOn = -1;
    GLint lightPosition = -1;
    GLint lightAmbient = -1;
    GLint lightDiffuse = -1;
    GLint lightSpecular = -1;
    GLint picture = -1;
    GLint alphaReference = -1;
};

// A mesh in its vertex buffer: the floats of each vertex interleaved, the colours' bytes
// after them.
struct MeshBuffer {
    GLuint buffer = 0;
    GLsizei vertexCount = 0;
    bool quad = false;
    bool textured = false;
    bool coloured = false;
    GLintptr coloursAt = 0;
    float lastColour[4] = {}; // what a coloured mesh leaves as the current colour
};

struct Switches {
    bool lighting = false;
    bool light0 = false;
    bool light1 = false;
    bool blend = false;
    bool depthTest = false;
    bool alphaTest = false;
    bool cullFace = false;
    bool texture = false;
    Face culled = Face::BACK;
};

// What a fragment does, each a program of its own: the pair compiled with these defines.
enum Variant : int { TEXTURED = 1, ALPHA_TESTED = 2, COVERAGE_ONLY = 4, VARIANT_COUNT = 8 };

// The switch uniforms as last sent to a program; none before its first draw.
struct SentSwitches {
    bool lit = false;
    bool light0 = false;
    bool light1 = false;
    float alphaReference = 0.0f;
    bool valid = true;
};

struct Program {
    GLuint name = 0;
    bool failed = false; // did not build; never tried again
    Uniforms uniforms;
    SentSwitches sent{false, false, false, 0.0f, false};
    int lightsSent = -1; // the lights' version it last had
};

struct Light {
    float position[4];
    float ambient[4];
    float diffuse[4];
    float specular[4];
};

void setCap(GLenum cap, bool on) {
    if (on) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

GLuint compileShader(GLenum kind, const std::string& defines, const char* body) {
    const GLuint shader = glCreateShader(kind);
    const char* parts[] = {shaderSources::version, defines.c_str(), body};
    glShaderSource(shader, 3, parts, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "wibz3d: the %s shader does not compile: %s\n",
                     kind == GL_VERTEX_SHADER ? "vertex" : "fragment", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

std::string definesOf(int variant) {
    std::string defines;
    if ((variant & TEXTURED) != 0) {
        defines += "#define TEXTURED\n";
    }
    if ((variant & ALPHA_TESTED) != 0) {
        defines += "#define ALPHA_TESTED\n";
    }
    if ((variant & COVERAGE_ONLY) != 0) {
        defines += "#define COVERAGE_ONLY\n";
    }
    return defines;
}

GLuint linkProgram(int variant) {
    const std::string defines = definesOf(variant);
    const GLuint vertex = compileShader(GL_VERTEX_SHADER, defines, shaderSources::vertex);
    const GLuint fragment = compileShader(GL_FRAGMENT_SHADER, defines, shaderSources::fragment);
    if (vertex == 0 || fragment == 0) {
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, POSITION, "position");
    glBindAttribLocation(program, NORMAL, "normal");
    glBindAttribLocation(program, TEX_COORD, "texCoord");
    glBindAttribLocation(program, COLOUR, "colour");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "wibz3d: the shaders do not link: %s\n", log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

Uniforms uniformsOf(GLuint program) {
    Uniforms u;
    u.modelView = glGetUniformLocation(program, "modelView");
    u.modelViewProjection = glGetUniformLocation(program, "modelViewProjection");
    u.normalMatrix = glGetUniformLocation(program, "normalMatrix");
    u.lit = glGetUniformLocation(program, "lit");
    u.sceneAmbient = glGetUniformLocation(program, "sceneAmbient");
    u.materialSpecular = glGetUniformLocation(program, "materialSpecular");
    u.materialShininess = glGetUniformLocation(program, "materialShininess");
    u.lightOn = glGetUniformLocation(program, "lightOn");
    u.lightPosition = glGetUniformLocation(program, "lightPosition");
    u.lightAmbient = glGetUniformLocation(program, "lightAmbient");
    u.lightDiffuse = glGetUniformLocation(program, "lightDiffuse");
    u.lightSpecular = glGetUniformLocation(program, "lightSpecular");
    u.picture = glGetUniformLocation(program, "picture");
    u.alphaReference = glGetUniformLocation(program, "alphaReference");
    return u;
}

// The mesh's vertices into a new buffer.
MeshBuffer bufferOf(const Mesh& mesh) {
    MeshBuffer b;
    b.vertexCount = static_cast<GLsizei>(mesh.vertexCount());
    if (b.vertexCount == 0) {
        return b;
    }
    b.quad = mesh.shape == Mesh::Shape::QUAD;
    b.textured = !mesh.texCoords.empty();
    b.coloured = !mesh.colours.empty();
    std::vector<float> floats;
    floats.reserve(mesh.vertexCount() * floatsPerVertex);
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        floats.insert(floats.end(), &mesh.positions[3 * v], &mesh.positions[3 * v] + 3);
        floats.insert(floats.end(), &mesh.normals[3 * v], &mesh.normals[3 * v] + 3);
        floats.push_back(b.textured ? mesh.texCoords[2 * v] : 0.0f);
        floats.push_back(b.textured ? mesh.texCoords[2 * v + 1] : 0.0f);
    }
    const auto floatBytes = static_cast<GLsizeiptr>(floats.size() * sizeof(float));
    b.coloursAt = floatBytes;
    glGenBuffers(1, &b.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    glBufferData(GL_ARRAY_BUFFER, floatBytes + static_cast<GLsizeiptr>(mesh.colours.size()),
                 nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, floatBytes, floats.data());
    if (b.coloured) {
        glBufferSubData(GL_ARRAY_BUFFER, b.coloursAt, static_cast<GLsizeiptr>(mesh.colours.size()),
                        mesh.colours.data());
        const std::uint8_t* last = &mesh.colours[mesh.colours.size() - 3];
        for (int i = 0; i < 3; ++i) {
            b.lastColour[i] = last[i] / 255.0f;
        }
        b.lastColour[3] = 1.0f;
    }
    return b;
}

class ShaderPipeline : public Pipeline {
  public:
    GlyphSource glyphSource = readHudGlyphs;

    // Makes no GL object: the pictures loaded next take the names they take on the desktop.
    void setUp() override {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClearDepthf(1.0f);
        enable(Switch::DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        enable(Switch::LIGHTING);
    }
    void setLightColours(int light, const LightColours& colours) override {
        Light& l = lights[light == 0 ? 0 : 1];
        copy4(colours.ambient, l.ambient);
        copy4(colours.diffuse, l.diffuse);
        ++lightsVersion;
    }
    // The shaders and the HUD's glyphs are made with the first meshes.
    bool takeMeshes(const MeshTable& meshes, bool lines) override {
        if (!makeProgramAndGlyphs()) {
            return false;
        }
        for (std::size_t slot = 0; slot < meshes.size(); ++slot) {
            if (buffers[slot].buffer != 0) {
                glDeleteBuffers(1, &buffers[slot].buffer);
            }
            buffers[slot] = bufferOf(meshes[slot]);
        }
        wireLines = lines;
        release();
        return true;
    }
    void reshape(int width, int height, double fieldOfViewDegrees, double near,
                 double far) override {
        glViewport(0, 0, width, height);
        projection =
            perspective(fieldOfViewDegrees,
                        static_cast<double>(width) / static_cast<double>(height), near, far);
        modelView.back() = Matrix4();
    }
    void viewportSize(int& width, int& height) const override {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        width = viewport[2];
        height = viewport[3];
    }

    void clear() override { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
    void finishFrame() override {
        release();
        glFlush();
    }

    void loadIdentity() override { modelView.back() = Matrix4(); }
    void lookAt(Vector3 eye, Vector3 centre, Vector3 up) override {
        ::lookAt(modelView.back(), eye, centre, up);
    }
    void pushMatrix() override { modelView.push_back(modelView.back()); }
    void popMatrix() override {
        if (modelView.size() > 1) {
            modelView.pop_back();
        }
    }
    void translate(float x, float y, float z) override { modelView.back().translate(x, y, z); }
    void rotate(float degrees, float x, float y, float z) override {
        modelView.back().rotate(degrees, x, y, z);
    }
    void scale(float x, float y, float z) override { modelView.back().scale(x, y, z); }
    float faceViewer() override {
        float* m = modelView.back().m;
        for (int column = 0; column < 3; ++column) {
            for (int row = 0; row < 3; ++row) {
                m[column * 4 + row] = column == row ? 1.0f : 0.0f;
            }
        }
        return m[12];
    }

    // GL keeps the position in eye space, through the modelview matrix of the moment.
    void placeLight0(const float position[4]) override {
        const float* m = modelView.back().m;
        for (int row = 0; row < 4; ++row) {
            lights[0].position[row] = m[row] * position[0] + m[4 + row] * position[1] +
                                      m[8 + row] * position[2] + m[12 + row] * position[3];
        }
        ++lightsVersion;
    }
    // The ambient and diffuse colour are the current colour's while colour tracks the
    // material, as it always does here.
    void setMaterial(const Material& material) override {
        copy4(material.specular, materialSpecular);
        materialShininess = material.shininess;
        ++lightsVersion;
    }

    void enable(Switch which) override { setSwitch(which, true); }
    void disable(Switch which) override { setSwitch(which, false); }
    bool isEnabled(Switch which) const override { return switchOf(switches, which); }
    void saveSwitches(bool) override { savedSwitches.push_back(switches); }
    void restoreSwitches() override {
        const Switches saved = savedSwitches.back();
        savedSwitches.pop_back();
        for (const Switch which :
             {Switch::LIGHTING, Switch::LIGHT0, Switch::LIGHT1, Switch::BLEND, Switch::DEPTH_TEST,
              Switch::ALPHA_TEST, Switch::CULL_FACE, Switch::TEXTURE}) {
            setSwitch(which, switchOf(saved, which));
        }
        cullFace(saved.culled);
    }
    void blendFunction(BlendFactor source, BlendFactor destination) override {
        glBlendFunc(glBlendFactorOf(source), glBlendFactorOf(destination));
    }
    void alphaTestAbove(float reference) override { alphaReference = reference; }
    void cullFace(Face face) override {
        switches.culled = face;
        glCullFace(face == Face::FRONT ? GL_FRONT : GL_BACK);
    }

    void colour(float red, float green, float blue, float alpha) override {
        current[0] = red;
        current[1] = green;
        current[2] = blue;
        current[3] = alpha;
    }
    void bindTexture(int slot) override {
        boundTexture = textureName(slot);
        glBindTexture(GL_TEXTURE_2D, boundTexture);
    }
    void drawMesh(int slot) override {
        const MeshBuffer& mesh = buffers[static_cast<std::size_t>(meshSlotOf(slot))];
        const int variant = (switches.texture && boundTexture != 0 ? TEXTURED : 0) | alphaTested();
        if (mesh.vertexCount == 0 || !use(variant)) {
            return;
        }
        setDrawUniforms(modelView.back(), false);
        bindMesh(mesh);
        const GLenum mode = mesh.quad ? GL_TRIANGLE_FAN : wireLines ? GL_LINE_STRIP : GL_TRIANGLES;
        glDrawArrays(mode, 0, mesh.vertexCount);
        if (mesh.coloured) {
            copy4(mesh.lastColour, current);
        }
    }

    void drawText(float x, float y, float z, Vector3 colour, const char* text) override;

  private:
    void drawTextVertices();

    Program programs[VARIANT_COUNT];
    Program* inUse = nullptr;
    bool active = false;
    GLuint boundBuffer = 0;
    std::vector<MeshBuffer> buffers = std::vector<MeshBuffer>(LIST_SLOT_COUNT);
    bool wireLines = false;

    std::vector<Matrix4> modelView = std::vector<Matrix4>(1);
    Matrix4 projection;
    Switches switches;
    std::vector<Switches> savedSwitches;
    float alphaReference = alwaysPasses;
    float current[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    GLuint boundTexture = 0;

    // GL's defaults for what the game does not set: the scene's ambient light, light 0's
    // white specular and light 1's, none; light 1 shines from the viewer.
    float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    Light lights[2] = {{{0.0f, 0.0f, 1.0f, 0.0f},
                        {0.0f, 0.0f, 0.0f, 1.0f},
                        {1.0f, 1.0f, 1.0f, 1.0f},
                        {1.0f, 1.0f, 1.0f, 1.0f}},
                       {{0.0f, 0.0f, 1.0f, 0.0f},
                        {0.0f, 0.0f, 0.0f, 1.0f},
                        {0.0f, 0.0f, 0.0f, 1.0f},
                        {0.0f, 0.0f, 0.0f, 1.0f}}};
    float materialSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float materialShininess = 0.0f;
    int lightsVersion = 0; // counts the changes of the lights and the material

    GLuint glyphTexture = 0;
    GlyphAtlas glyphs;
    GLuint textBuffer = 0;
    std::vector<float> textVertices;

    static void copy4(const float* from, float* to) {
        for (int i = 0; i < 4; ++i) {
            to[i] = from[i];
        }
    }

    static bool switchOf(const Switches& s, Switch which) {
        switch (which) {
        case Switch::LIGHTING:
            return s.lighting;
        case Switch::LIGHT0:
            return s.light0;
        case Switch::LIGHT1:
            return s.light1;
        case Switch::BLEND:
            return s.blend;
        case Switch::DEPTH_TEST:
            return s.depthTest;
        case Switch::ALPHA_TEST:
            return s.alphaTest;
        case Switch::CULL_FACE:
            return s.cullFace;
        case Switch::TEXTURE:
            return s.texture;
        }
        return false;
    }

    // The switches GL ES still has go to GL as they change; the rest are the shaders'.
    void setSwitch(Switch which, bool on) {
        switch (which) {
        case Switch::LIGHTING:
            switches.lighting = on;
            break;
        case Switch::LIGHT0:
            switches.light0 = on;
            break;
        case Switch::LIGHT1:
            switches.light1 = on;
            break;
        case Switch::BLEND:
            switches.blend = on;
            setCap(GL_BLEND, on);
            break;
        case Switch::DEPTH_TEST:
            switches.depthTest = on;
            setCap(GL_DEPTH_TEST, on);
            break;
        case Switch::ALPHA_TEST:
            switches.alphaTest = on;
            break;
        case Switch::CULL_FACE:
            switches.cullFace = on;
            setCap(GL_CULL_FACE, on);
            break;
        case Switch::TEXTURE:
            switches.texture = on;
            break;
        }
    }

    // Hands GL back without a program, buffer or attribute array, so other GL code (the
    // fixed-function pipeline, in the tests) can draw after it.
    void release() {
        for (const GLuint attribute : {POSITION, NORMAL, TEX_COORD, COLOUR}) {
            glDisableVertexAttribArray(attribute);
        }
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glUseProgram(0);
        active = false;
        boundBuffer = 0;
        inUse = nullptr;
    }

    // The alpha test's part of the variant: none while GL's first function lets all pass.
    int alphaTested() const {
        return switches.alphaTest && alphaReference != alwaysPasses ? ALPHA_TESTED : 0;
    }

    // The variant's program in use, built the first time it is wanted; false when it does not
    // build.
    bool use(int variant) {
        Program& wanted = programs[variant];
        if (wanted.name == 0 && !wanted.failed) {
            wanted.name = linkProgram(variant);
            wanted.failed = wanted.name == 0;
            if (wanted.failed) {
                return false;
            }
            wanted.uniforms = uniformsOf(wanted.name);
            glUseProgram(wanted.name);
            glUniform1i(wanted.uniforms.picture, 0);
            inUse = &wanted;
        }
        if (wanted.failed) {
            return false;
        }
        if (!active) {
            glEnableVertexAttribArray(POSITION);
            glEnableVertexAttribArray(NORMAL);
            active = true;
        }
        if (inUse != &wanted) {
            glUseProgram(wanted.name);
            inUse = &wanted;
        }
        return true;
    }

    // The matrices for one draw, and the program's other uniforms where they changed since
    // it last drew: a call to GL costs more in a browser than most of what it sets.
    void setDrawUniforms(const Matrix4& view, bool coverageOnly) {
        Program& p = *inUse;
        const Uniforms& u = p.uniforms;
        const Matrix4 clip = projection * view;
        float normalMatrix[9] = {};
        normalMatrixOf(view, normalMatrix);
        glUniformMatrix4fv(u.modelView, 1, GL_FALSE, view.m);
        glUniformMatrix4fv(u.modelViewProjection, 1, GL_FALSE, clip.m);
        glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, normalMatrix);
        if (p.lightsSent != lightsVersion) {
            sendLights(u);
            p.lightsSent = lightsVersion;
        }
        const SentSwitches now{switches.lighting && !coverageOnly, switches.light0, switches.light1,
                               alphaReference, true};
        if (!p.sent.valid || now.lit != p.sent.lit) {
            glUniform1i(u.lit, now.lit);
        }
        if (!p.sent.valid || now.light0 != p.sent.light0 || now.light1 != p.sent.light1) {
            const GLint lightOn[2] = {now.light0, now.light1};
            glUniform1iv(u.lightOn, 2, lightOn);
        }
        if (!p.sent.valid || now.alphaReference != p.sent.alphaReference) {
            glUniform1f(u.alphaReference, now.alphaReference);
        }
        p.sent = now;
    }

    void sendLights(const Uniforms& u) {
        glUniform4fv(u.sceneAmbient, 1, sceneAmbient);
        glUniform4fv(u.materialSpecular, 1, materialSpecular);
        glUniform1f(u.materialShininess, materialShininess);
        float positions[8];
        float ambients[8];
        float diffuses[8];
        float speculars[8];
        for (int i = 0; i < 2; ++i) {
            copy4(lights[i].position, &positions[4 * i]);
            copy4(lights[i].ambient, &ambients[4 * i]);
            copy4(lights[i].diffuse, &diffuses[4 * i]);
            copy4(lights[i].specular, &speculars[4 * i]);
        }
        glUniform4fv(u.lightPosition, 2, positions);
        glUniform4fv(u.lightAmbient, 2, ambients);
        glUniform4fv(u.lightDiffuse, 2, diffuses);
        glUniform4fv(u.lightSpecular, 2, speculars);
    }

    // The arena's cells draw one mesh sixty times: its attributes are pointed at once.
    void bindMesh(const MeshBuffer& mesh) {
        if (boundBuffer != mesh.buffer) {
            glBindBuffer(GL_ARRAY_BUFFER, mesh.buffer);
            boundBuffer = mesh.buffer;
            pointAttributes(mesh.textured, mesh.coloured, mesh.coloursAt);
        } else if (!mesh.coloured) {
            glVertexAttrib4fv(COLOUR, current);
        }
    }

    // The attributes from the bound buffer. A mesh without colours takes the current colour,
    // as GL's would; one without texture coordinates (0, 0).
    void pointAttributes(bool textured, bool coloured, GLintptr coloursAt) {
        glVertexAttribPointer(POSITION, 3, GL_FLOAT, GL_FALSE, vertexStride, nullptr);
        glVertexAttribPointer(NORMAL, 3, GL_FLOAT, GL_FALSE, vertexStride,
                              reinterpret_cast<const void*>(3 * sizeof(float)));
        if (textured) {
            glEnableVertexAttribArray(TEX_COORD);
            glVertexAttribPointer(TEX_COORD, 2, GL_FLOAT, GL_FALSE, vertexStride,
                                  reinterpret_cast<const void*>(6 * sizeof(float)));
        } else {
            glDisableVertexAttribArray(TEX_COORD);
            glVertexAttrib2f(TEX_COORD, 0.0f, 0.0f);
        }
        if (coloured) {
            glEnableVertexAttribArray(COLOUR);
            glVertexAttribPointer(COLOUR, 3, GL_UNSIGNED_BYTE, GL_TRUE, 3,
                                  reinterpret_cast<const void*>(coloursAt));
        } else {
            glDisableVertexAttribArray(COLOUR);
            glVertexAttrib4fv(COLOUR, current);
        }
    }

    // The programs every frame draws with are built now, so that a pair that does not build
    // is known before the first frame and none is built mid-game; the rest (untextured ones,
    // for a picture that failed to load) when first wanted.
    bool makeProgramAndGlyphs() {
        if (!makeGlyphTexture()) {
            return false;
        }
        for (const int variant : {int{COVERAGE_ONLY}, TEXTURED | ALPHA_TESTED, int{TEXTURED}}) {
            if (!use(variant)) {
                return false;
            }
        }
        if (textBuffer == 0) {
            glGenBuffers(1, &textBuffer);
        }
        return true;
    }

    bool makeGlyphTexture() {
        if (glyphTexture != 0) {
            return true;
        }
        if (!glyphSource(glyphs)) {
            std::fprintf(stderr, "wibz3d: the HUD's glyphs could not be had\n");
            return false;
        }
        glGenTextures(1, &glyphTexture);
        glBindTexture(GL_TEXTURE_2D, glyphTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, GlyphAtlas::width, GlyphAtlas::height, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, glyphs.coverage.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, boundTexture);
        return true;
    }

    void addTextCorner(float x, float y, float z, float s, float t) {
        textVertices.insert(textVertices.end(), {x, y, z, 0.0f, 0.0f, 1.0f, s, t});
    }
};

// Each letter is a quad over its whole cell, its corners on pixel corners and its texels one
// to a pixel, so the cell's pixels land where glBitmap would set them: the raster position
// rounded down (with Mesa's small allowance), less the cell's origin. Pixels the letter does
// not set are discarded; the rest take the colour, untextured and unlit, as a bitmap's do.
void ShaderPipeline::drawText(float x, float y, float z, Vector3 colour, const char* text) {
    constexpr float allowance = 0.0001f;
    constexpr float cell = static_cast<float>(GlyphAtlas::cellPixels);
    textVertices.clear();
    float rasterX = x;
    const float bottom = std::floor(y + allowance) - GlyphAtlas::originY;
    for (const char* c = text; *c != '\0'; ++c) {
        const int code = static_cast<unsigned char>(*c);
        const float left = std::floor(rasterX + allowance) - GlyphAtlas::originX;
        const float s0 = static_cast<float>(GlyphAtlas::cellX(code)) / GlyphAtlas::width;
        const float t0 = static_cast<float>(GlyphAtlas::cellY(code)) / GlyphAtlas::height;
        const float s1 = s0 + cell / GlyphAtlas::width;
        const float t1 = t0 + cell / GlyphAtlas::height;
        addTextCorner(left, bottom, z, s0, t0);
        addTextCorner(left + cell, bottom, z, s1, t0);
        addTextCorner(left + cell, bottom + cell, z, s1, t1);
        addTextCorner(left, bottom, z, s0, t0);
        addTextCorner(left + cell, bottom + cell, z, s1, t1);
        addTextCorner(left, bottom + cell, z, s0, t1);
        rasterX += static_cast<float>(glyphs.advance[code]);
    }
    if (textVertices.empty() || glyphTexture == 0) {
        return;
    }
    int width = 0;
    int height = 0;
    viewportSize(width, height);
    const Matrix4 savedProjection = projection;
    projection = orthographic(0.0, width, 0.0, height, -1.0, 1.0);
    // The colour stays current after the text, as glColor3f leaves it.
    this->colour(colour.x, colour.y, colour.z, 1.0f);
    const bool culling = switches.cullFace;
    setCap(GL_CULL_FACE, false); // a bitmap has no face to cull
    if (use(COVERAGE_ONLY | alphaTested())) {
        drawTextVertices();
    }
    setCap(GL_CULL_FACE, culling);
    projection = savedProjection;
}

void ShaderPipeline::drawTextVertices() {
    glBindTexture(GL_TEXTURE_2D, glyphTexture);
    setDrawUniforms(Matrix4(), true);
    glBindBuffer(GL_ARRAY_BUFFER, textBuffer);
    boundBuffer = 0; // its attributes are the text's until the next mesh points them again
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(textVertices.size() * sizeof(float)),
                 textVertices.data(), GL_STREAM_DRAW);
    pointAttributes(true, false, 0);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(textVertices.size() / floatsPerVertex));
    glBindTexture(GL_TEXTURE_2D, boundTexture);
}

ShaderPipeline shaderPipeline;
} // namespace

bool readHudGlyphs(GlyphAtlas& into) {
    return readGlyphAtlas(hudGlyphsFile, into);
}

void useShaderPipeline(GlyphSource glyphs) {
    shaderPipeline.glyphSource = glyphs;
    usePipeline(shaderPipeline);
}
