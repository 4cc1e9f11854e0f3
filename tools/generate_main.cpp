// kavo-generate: writes the program's data files (three ship models, seven textures) into the
// folder named on the command line. The build runs it into build/data, where the program starts.
#include <cstdio>
#include <functional>
#include <string>

#include "tools/bmp_writer.h"
#include "tools/model_writer.h"
#include "tools/ship_shapes.h"
#include "tools/texture_painters.h"

namespace {

struct TextureFile {
    const char* name;
    std::function<Image()> paint;
};

struct ModelFile {
    const char* name;
    std::function<ShipShape()> build;
};

std::string joinPath(const std::string& folder, const char* name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

bool writeTextures(const std::string& folder) {
    const TextureFile textures[] = {
        {"ship_tex.bmp", [] { return paintHullTexture(kavoHullPalette()); }},
        {"enemy_tex.bmp", [] { return paintHullTexture(enemyHullPalette()); }},
        {"tzlogo.bmp", paintCrateTexture},
        {"bckgr.bmp", paintStarField},
        {"particle.bmp", paintParticleGlow},
        {"expl.bmp", paintFireball},
        {"reticle.bmp", paintReticle},
    };
    bool ok = true;
    for (const TextureFile& texture : textures) {
        const Image image = texture.paint();
        const std::string path = joinPath(folder, texture.name);
        if (!writeBmp(image, path)) {
            std::fprintf(stderr, "kavo-generate: cannot write %s\n", path.c_str());
            ok = false;
            continue;
        }
        std::printf("%-14s %4d x %-4d 24-bit\n", texture.name, image.width(), image.height());
    }
    return ok;
}

// Every nozzle and muzzle the shape placed must be a corner of the mesh: the program starts its
// trails and shots there, and a shape that lost one would look wrong in flight.
bool hasEveryHardpoint(const ShipShape& shape) {
    for (const Vec3& point : shape.hardpoints) {
        bool found = false;
        for (const MeshTriangle& t : shape.mesh.triangles())
            for (const Vec3& corner : t.corner)
                found = found || (corner - point).length() < 1e-5f;
        if (!found)
            return false;
    }
    return true;
}

bool writeModels(const std::string& folder) {
    const ModelFile models[] = {
        {"ship.3ds", buildFighterShape},
        {"transp.3ds", buildTransportShape},
        {"enemy.3ds", buildEnemyShape},
    };
    bool ok = true;
    for (const ModelFile& model : models) {
        const ShipShape shape = model.build();
        const std::string path = joinPath(folder, model.name);
        if (!hasEveryHardpoint(shape)) {
            std::fprintf(stderr, "kavo-generate: %s lacks a nozzle or muzzle\n", model.name);
            ok = false;
            continue;
        }
        if (!writeShipModel(shape, path)) {
            std::fprintf(stderr, "kavo-generate: cannot write %s\n", path.c_str());
            ok = false;
            continue;
        }
        std::printf("%-14s %4zu faces, mesh \"%s\"\n", model.name, shape.mesh.triangles().size(),
                    shape.meshName);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kavo-generate <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool texturesWritten = writeTextures(folder);
    const bool modelsWritten = writeModels(folder);
    return texturesWritten && modelsWritten ? 0 : 1;
}
