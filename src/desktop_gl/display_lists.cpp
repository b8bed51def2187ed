// display_lists.cpp -- the desktop's meshes: each compiled into a GL display list from its
// vertex arrays, with the same calls in the same order as the vertices were always sent,
// so the lists draw what they always drew.
#include "desktop_gl/display_lists.h"

GLuint displayLists[LIST_SLOT_COUNT] = {};
int modelsDrawn = 0;

namespace {
// A fresh list name in the slot; the one it held before is given back to GL.
GLuint renewSlot(GLuint* table, int slot) {
    if (table[slot] != 0) {
        glDeleteLists(table[slot], 1);
    }
    table[slot] = glGenLists(1);
    return table[slot];
}

// Normal, colour, texture coordinates, then the vertex, for each vertex in order.
void sendVertices(const Mesh& mesh) {
    const bool coloured = !mesh.colours.empty();
    const bool textured = !mesh.texCoords.empty();
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        glNormal3fv(&mesh.normals[3 * v]);
        if (coloured) {
            glColor3ubv(&mesh.colours[3 * v]);
        }
        if (textured) {
            glTexCoord2fv(&mesh.texCoords[2 * v]);
        }
        glVertex3fv(&mesh.positions[3 * v]);
    }
}

void compileList(GLuint* table, int slot, const Mesh& mesh, GLenum modelPrimitive) {
    glNewList(renewSlot(table, slot), GL_COMPILE);
    glBegin(mesh.shape == Mesh::Shape::QUAD ? GL_QUADS : modelPrimitive);
    sendVertices(mesh);
    glEnd();
    glEndList();
}
} // namespace

void compileModelLists(GLuint* table, const MeshTable& meshes, GLenum primitive) {
    for (const DataFile& file : modelFiles) {
        compileList(table, file.slot, meshes[static_cast<std::size_t>(file.slot)], primitive);
        modelsDrawn += 1;
    }
    compileList(table, LIST_QUAD, meshes[LIST_QUAD], primitive);
    table[LIST_SHADOW_QUAD] = table[LIST_QUAD]; // a copy of the name, not a second list
}

bool buildModelLists(GLuint* table, GLenum primitive) {
    MeshTable meshes;
    readModelMeshes(meshes);
    compileModelLists(table, meshes, primitive);
    return true;
}
