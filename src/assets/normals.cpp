// normals.cpp -- both normal builders share the triangle normals and the final step and
// add each face's normal to a vertex in face order, so their results are bit-identical.
#include "assets/normals.h"

#include <algorithm>
#include <cstddef>

namespace {
// A vertex no triangle gives a direction (unused, or only zero-area triangles) points up.
const Vector3 zeroSumNormal(0.0f, 1.0f, 0.0f);

// Faces naming a vertex the object does not have add nothing anywhere.
bool faceIsValid(const ModelFace& face, std::size_t vertexCount) {
    for (int corner = 0; corner < 3; ++corner) {
        const std::int32_t index = face.vertexIndex[corner];
        if (index < 0 || static_cast<std::size_t>(index) >= vertexCount) {
            return false;
        }
    }
    return true;
}

// Un-normalised: its length is twice the triangle's area.
Vector3 triangleNormal(const ModelObject& object, const ModelFace& face) {
    const Vector3 p0 = object.vertices[face.vertexIndex[0]];
    const Vector3 p1 = object.vertices[face.vertexIndex[1]];
    const Vector3 p2 = object.vertices[face.vertexIndex[2]];
    return cross(p0 - p2, p2 - p1);
}

bool faceUses(const ModelFace& face, std::int32_t vertex) {
    return face.vertexIndex[0] == vertex || face.vertexIndex[1] == vertex ||
           face.vertexIndex[2] == vertex;
}

// The divide by the negated count flips the sum to the side where the face's corners run
// counter-clockwise.
Vector3 finishNormal(Vector3 sum, int facesUsing) {
    if (facesUsing == 0) {
        return zeroSumNormal;
    }
    const Vector3 scaled = sum / -static_cast<float>(facesUsing);
    if (length(scaled) == 0.0f) {
        return zeroSumNormal;
    }
    return normalize(scaled);
}

std::vector<Vector3> triangleNormals(const ModelObject& object) {
    std::vector<Vector3> normals(object.faces.size(), Vector3(0.0f, 0.0f, 0.0f));
    for (std::size_t f = 0; f < object.faces.size(); ++f) {
        if (faceIsValid(object.faces[f], object.vertices.size())) {
            normals[f] = triangleNormal(object, object.faces[f]);
        }
    }
    return normals;
}

void objectNormalsOnePass(ModelObject& object) {
    const std::size_t vertexCount = object.vertices.size();
    const std::vector<Vector3> faceNormals = triangleNormals(object);
    std::vector<Vector3> sums(vertexCount, Vector3(0.0f, 0.0f, 0.0f));
    std::vector<int> counts(vertexCount, 0);
    for (std::size_t f = 0; f < object.faces.size(); ++f) {
        const ModelFace& face = object.faces[f];
        if (!faceIsValid(face, vertexCount)) {
            continue;
        }
        for (int corner = 0; corner < 3; ++corner) {
            const std::int32_t v = face.vertexIndex[corner];
            // A face naming a vertex twice still counts once for it.
            const bool seenBefore = (corner > 0 && face.vertexIndex[0] == v) ||
                                    (corner > 1 && face.vertexIndex[1] == v);
            if (!seenBefore) {
                sums[v] = sums[v] + faceNormals[f];
                counts[v] += 1;
            }
        }
    }
    object.normals.assign(vertexCount, zeroSumNormal);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        object.normals[v] = finishNormal(sums[v], counts[v]);
    }
}

void objectNormalsFullScan(ModelObject& object) {
    const std::size_t vertexCount = object.vertices.size();
    const std::vector<Vector3> faceNormals = triangleNormals(object);
    object.normals.assign(vertexCount, zeroSumNormal);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        Vector3 sum(0.0f, 0.0f, 0.0f);
        int count = 0;
        for (std::size_t f = 0; f < object.faces.size(); ++f) {
            const ModelFace& face = object.faces[f];
            if (faceIsValid(face, vertexCount) && faceUses(face, static_cast<std::int32_t>(v))) {
                sum = sum + faceNormals[f];
                count += 1;
            }
        }
        object.normals[v] = finishNormal(sum, count);
    }
}
} // namespace

void computeNormals(Model& model, std::int32_t firstObject) {
    for (std::size_t i = static_cast<std::size_t>(std::max(firstObject, 0));
         i < model.objects.size(); ++i) {
        objectNormalsOnePass(model.objects[i]);
    }
}

void computeNormalsFullScan(Model& model) {
    for (ModelObject& object : model.objects) {
        objectNormalsFullScan(object);
    }
}
