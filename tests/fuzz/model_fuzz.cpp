// The checked .3ds path: the structure check on the bytes, then (for files that pass) lib3ds and
// the mesh check, through the loader on a file in a private folder. A model the loader hands out
// must be one the drawing code can walk, so every point, texel and face of its mesh is read.
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "scene/model_file_check.h"
#include "scene/model_loader.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void walkMesh(const Lib3dsMesh& mesh) {
    volatile float sum = 0;
    for (Lib3dsDword face = 0; face < mesh.faces; ++face)
        for (Lib3dsWord index : mesh.faceL[face].points) {
            if (index >= mesh.points)
                fuzz::fail("a loaded mesh has a face index past its points");
            sum = sum + mesh.pointL[index].pos[0] + mesh.texelL[index][0];
        }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::captureMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = fuzz::privateFolder() + "/model.3ds";
    fuzz::writeFile(path, data, size);
    const bool sound = isSoundModelFile(data, size);
    Lib3dsFile* model = loadModelFile(path.c_str());
    if (model) {
        if (!sound)
            fuzz::fail("the loader accepted a file the structure check refuses");
        const Lib3dsMesh* mesh = firstNodeMesh(model);
        if (!mesh)
            fuzz::fail("a loaded model has no mesh to draw");
        walkMesh(*mesh);
        lib3ds_file_free(model);
    }
    if (fuzz::messagesSinceLastCall() != 0)
        fuzz::fail("loading a model showed a message");
    return 0;
}
