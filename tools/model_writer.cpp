#include "tools/model_writer.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>

namespace {

// Points are indexed with 16 bits in a .3ds file.
constexpr std::size_t kMaxPoints = 65535;

void setIdentity(Lib3dsMatrix matrix) {
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            matrix[row][column] = row == column ? 1.0f : 0.0f;
}

Lib3dsMesh* buildMesh(const ShipShape& shape) {
    const std::vector<MeshTriangle>& triangles = shape.mesh.triangles();
    const std::size_t points = triangles.size() * 3;
    if (triangles.empty() || points > kMaxPoints)
        return nullptr;
    Lib3dsMesh* mesh = lib3ds_mesh_new(shape.meshName);
    if (!mesh)
        return nullptr;
    setIdentity(mesh->matrix);
    const auto count = static_cast<Lib3dsDword>(points);
    if (!lib3ds_mesh_new_point_list(mesh, count) || !lib3ds_mesh_new_texel_list(mesh, count) ||
        !lib3ds_mesh_new_face_list(mesh, static_cast<Lib3dsDword>(triangles.size()))) {
        lib3ds_mesh_free(mesh);
        return nullptr;
    }
    for (std::size_t f = 0; f < triangles.size(); ++f) {
        const MeshTriangle& t = triangles[f];
        Lib3dsFace& face = mesh->faceL[f];
        for (int i = 0; i < 3; ++i) {
            const std::size_t k = f * 3 + static_cast<std::size_t>(i);
            const Vec3 m = bodyToModel(shape.frame, t.corner[i]);
            mesh->pointL[k].pos[0] = m.x;
            mesh->pointL[k].pos[1] = m.y;
            mesh->pointL[k].pos[2] = m.z;
            mesh->texelL[k][0] = t.u[i];
            mesh->texelL[k][1] = t.v[i];
            face.points[i] = static_cast<Lib3dsWord>(k);
        }
        // All three edges visible, as a modelling tool would write an ordinary triangle.
        face.flags = LIB3DS_FACE_FLAG_VIS_AB | LIB3DS_FACE_FLAG_VIS_BC | LIB3DS_FACE_FLAG_VIS_AC;
        face.smoothing = 0; // no smoothing groups: every face is flat
    }
    return mesh;
}

Lib3dsNode* buildNode(const char* meshName) {
    Lib3dsNode* node = lib3ds_node_new_object();
    if (!node)
        return nullptr;
    std::strncpy(node->name, meshName, sizeof node->name - 1);
    node->name[sizeof node->name - 1] = '\0';
    // A fresh node has neither id nor parent set; lib3ds_file_insert_node looks the parent up by
    // id and, left as it is, recurses until the stack runs out.
    node->node_id = 0;
    node->parent_id = LIB3DS_NO_PARENT;
    node->data.object.scl[0] = node->data.object.scl[1] = node->data.object.scl[2] = 1.0f;
    return node;
}

} // namespace

bool writeShipModel(const ShipShape& shape, const std::string& path) {
    Lib3dsFile* file = lib3ds_file_new();
    if (!file)
        return false;
    Lib3dsMesh* mesh = buildMesh(shape);
    Lib3dsNode* node = buildNode(shape.meshName);
    if (!mesh || !node) {
        if (mesh)
            lib3ds_mesh_free(mesh);
        if (node)
            lib3ds_node_free(node);
        lib3ds_file_free(file);
        return false;
    }
    lib3ds_file_insert_mesh(file, mesh);
    lib3ds_file_insert_node(file, node);
    const bool saved = lib3ds_file_save(file, path.c_str()) != 0;
    lib3ds_file_free(file);
    return saved;
}
