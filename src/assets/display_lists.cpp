// display_lists.cpp -- compiles the model lists from sceneModel and the unit quad. Each list
// draws the object its own file supplied, so a missing file empties only its own list.
#include "assets/display_lists.h"

#include "assets/model.h"
#include "assets/model_reader.h"

GLuint displayLists[LIST_SLOT_COUNT] = {};
int modelsDrawn = 0;

namespace {
// The quad's corners: texture (s, t) then vertex (x, y); t = 0 is the image's first row.
const float quadCorners[4][4] = {
    {0.0f, 1.0f, -1.0f, -1.0f},
    {1.0f, 1.0f, 1.0f, -1.0f},
    {1.0f, 0.0f, 1.0f, 1.0f},
    {0.0f, 0.0f, -1.0f, 1.0f},
};

// A fresh list name in the slot; the one it held before is given back to GL.
GLuint renewSlot(GLuint* table, int slot) {
    if (table[slot] != 0) {
        glDeleteLists(table[slot], 1);
    }
    table[slot] = glGenLists(1);
    return table[slot];
}

void buildModelList(GLuint* table, int slot, const char* path, GLenum primitive) {
    glNewList(renewSlot(table, slot), GL_COMPILE);
    glBegin(primitive);
    emitModel(path);
    glEnd();
    glEndList();
}

void buildQuadList(GLuint* table) {
    glNewList(renewSlot(table, LIST_QUAD), GL_COMPILE);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (const auto& corner : quadCorners) {
        glTexCoord2f(corner[0], corner[1]);
        glVertex3f(corner[2], corner[3], 0.0f);
    }
    glEnd();
    glEndList();
}

void emitObject(const Model& model, const ModelObject& object) {
    const bool colourFromMaterial = !object.hasTexture && model.materialCount > 0 &&
                                    object.materialId >= 0 &&
                                    object.materialId < model.materialCount;
    for (const ModelFace& face : object.faces) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::int32_t i = face.vertexIndex[corner];
            const Vector3& normal = object.normals[static_cast<std::size_t>(i)];
            glNormal3f(normal.x, normal.y, normal.z);
            if (colourFromMaterial) {
                glColor3ubv(model.materials[static_cast<std::size_t>(object.materialId)].colour);
            }
            // Coordinates follow the vertex index; past the last pair none is sent.
            if (object.hasTexture && i < object.texCoordCount) {
                const TexCoord& t = object.texCoords[static_cast<std::size_t>(i)];
                glTexCoord2f(t.u, t.v);
            }
            const Vector3& v = object.vertices[static_cast<std::size_t>(i)];
            glVertex3f(v.x, v.y, v.z);
        }
    }
}
} // namespace

void emitModel(const char* path) {
    const std::int32_t firstNew = sceneModel.objectCount;
    const bool imported = modelReader.import3ds(sceneModel, path);
    modelsDrawn += 1;
    if (!imported || firstNew >= sceneModel.objectCount) {
        return;
    }
    emitObject(sceneModel, sceneModel.objects[static_cast<std::size_t>(firstNew)]);
}

bool buildModelLists(GLuint* table, GLenum primitive) {
    // Each build reads the files afresh; the objects of the build before are no longer
    // drawn, and keeping them would grow the model by every F3 press.
    sceneModel = Model();
    for (const DataFile& file : modelFiles) {
        buildModelList(table, file.slot, file.path, primitive);
    }
    buildQuadList(table);
    table[LIST_SHADOW_QUAD] = table[LIST_QUAD]; // a copy of the name, not a second list
    return true;
}
