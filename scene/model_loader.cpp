// Loading a ship's .3ds file: read it whole, check its structure, hand it to lib3ds, check the
// mesh that will be drawn.
#include "scene/model_loader.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstdio>
#include <vector>

#include "scene/model_file_check.h"

namespace {

// A .3ds mesh has at most 65535 points and faces; no sound ship file comes near this size, and a
// bound keeps a wrong path (a device, a huge file) from being read without end.
constexpr long kMaxModelFileBytes = 64L * 1024 * 1024;

bool readWholeFile(const char* fileName, std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return false;
    unsigned char block[16384];
    bool complete = false;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        bytes.insert(bytes.end(), block, block + got);
        if (bytes.size() > std::size_t(kMaxModelFileBytes))
            break;
        if (got < sizeof block) {
            complete = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    return complete;
}

} // namespace

Lib3dsMesh* firstNodeMesh(Lib3dsFile* model) {
    if (!model || !model->nodes)
        return nullptr;
    return lib3ds_file_mesh_by_name(model, model->nodes->name);
}

bool isDrawableMesh(const Lib3dsMesh* mesh) {
    if (!mesh || mesh->points == 0 || !mesh->pointL)
        return false;
    if (mesh->texels != mesh->points || !mesh->texelL)
        return false;
    if (mesh->faces > 0 && !mesh->faceL)
        return false;
    for (Lib3dsDword face = 0; face < mesh->faces; ++face)
        for (Lib3dsWord index : mesh->faceL[face].points)
            if (index >= mesh->points)
                return false;
    return true;
}

Lib3dsFile* loadModelFile(const char* fileName) {
    if (!fileName)
        return nullptr;
    std::vector<unsigned char> bytes;
    if (!readWholeFile(fileName, bytes) || !isSoundModelFile(bytes.data(), bytes.size()))
        return nullptr;
    Lib3dsFile* model = lib3ds_file_load(fileName);
    if (model && !isDrawableMesh(firstNodeMesh(model))) {
        lib3ds_file_free(model);
        model = nullptr;
    }
    return model;
}
