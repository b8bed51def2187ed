// display_lists.cpp -- reads the model files into sceneModel, then compiles the model lists
// from it and the unit quad: no file is read while a list is open. Each list draws the
// object its own file supplied, so a missing file empties only its own list.
#include "render/display_lists.h"

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

// Empties sceneModel and reads every model file into it. Each file's entry is the first
// object it added, -1 when the import failed or added none.
void readModelFiles(int (&firstObjects)[modelFileCount]) {
    // The objects of the build before are no longer drawn, and keeping them would grow the
    // model by every F3 press.
    sceneModel = Model();
    for (std::size_t i = 0; i < modelFileCount; ++i) {
        const std::int32_t firstNew = sceneModel.objectCount;
        const bool imported = modelReader.import3ds(sceneModel, modelFiles[i].path);
        firstObjects[i] = imported && firstNew < sceneModel.objectCount ? firstNew : -1;
    }
}

void buildModelList(GLuint* table, int slot, int object, GLenum primitive) {
    glNewList(renewSlot(table, slot), GL_COMPILE);
    glBegin(primitive);
    emitModel(sceneModel, object);
    glEnd();
    glEndList();
    modelsDrawn += 1;
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
} // namespace

void emitModel(const Model& model, int index) {
    if (index < 0 || index >= model.objectCount) {
        return;
    }
    const ModelObject& object = model.objects[static_cast<std::size_t>(index)];
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

bool buildModelLists(GLuint* table, GLenum primitive) {
    int firstObjects[modelFileCount] = {};
    readModelFiles(firstObjects);
    for (std::size_t i = 0; i < modelFileCount; ++i) {
        buildModelList(table, modelFiles[i].slot, firstObjects[i], primitive);
    }
    buildQuadList(table);
    table[LIST_SHADOW_QUAD] = table[LIST_QUAD]; // a copy of the name, not a second list
    return true;
}
