#include "support/model_files.h"

#include <lib3ds/chunk.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

void addGridMesh(Lib3dsFile* file, const GridMesh& grid) {
    Lib3dsMesh* mesh = lib3ds_mesh_new(grid.name);
    const int across = grid.columns + 1;
    const int down = grid.rows + 1;
    lib3ds_mesh_new_point_list(mesh, Lib3dsDword(across * down));
    lib3ds_mesh_new_texel_list(mesh, Lib3dsDword(across * down));
    for (int j = 0; j < down; ++j)
        for (int i = 0; i < across; ++i) {
            const int k = j * across + i;
            const float u = float(i) / float(grid.columns);
            const float v = float(j) / float(grid.rows);
            mesh->pointL[k].pos[0] = grid.centreX + (u - 0.5f) * grid.width;
            mesh->pointL[k].pos[1] = grid.centreY + (v - 0.5f) * grid.height;
            mesh->pointL[k].pos[2] = 0.0f;
            mesh->texelL[k][0] = u;
            mesh->texelL[k][1] = v;
        }
    lib3ds_mesh_new_face_list(mesh, Lib3dsDword(2 * grid.columns * grid.rows));
    int face = 0;
    for (int j = 0; j < grid.rows; ++j)
        for (int i = 0; i < grid.columns; ++i) {
            const Lib3dsWord corner = Lib3dsWord(j * across + i);
            const Lib3dsWord quad[4] = {corner, Lib3dsWord(corner + 1),
                                        Lib3dsWord(corner + across + 1),
                                        Lib3dsWord(corner + across)};
            const Lib3dsWord triangles[2][3] = {{quad[0], quad[1], quad[2]},
                                                {quad[0], quad[2], quad[3]}};
            for (const auto& triangle : triangles) {
                std::memcpy(mesh->faceL[face].points, triangle, sizeof triangle);
                ++face;
            }
        }
    lib3ds_file_insert_mesh(file, mesh);
}

void addObjectNode(Lib3dsFile* file, const char* name, std::uint16_t nodeId) {
    Lib3dsNode* node = lib3ds_node_new_object();
    std::strncpy(node->name, name, sizeof node->name - 1);
    // Without its own id and an explicit "no parent" the node would be its own parent.
    node->node_id = nodeId;
    node->parent_id = LIB3DS_NO_PARENT;
    lib3ds_file_insert_node(file, node);
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/kavo-models-XXXXXX";
    if (char* made = mkdtemp(pattern))
        folder_ = made;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ignored);
}

std::string saveModel(Lib3dsFile* file, const std::string& path) {
    lib3ds_file_save(file, path.c_str());
    lib3ds_file_free(file);
    return path;
}

std::string saveGridModel(const GridMesh& grid, const std::string& path) {
    Lib3dsFile* file = lib3ds_file_new();
    addGridMesh(file, grid);
    addObjectNode(file, grid.name, 0);
    return saveModel(file, path);
}

ModelBytes readBytes(const std::string& path) {
    ModelBytes bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
    }
    return bytes;
}

void writeBytes(const std::string& path, const ModelBytes& bytes) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

std::uint16_t readU16(const ModelBytes& bytes, std::size_t at) {
    return std::uint16_t(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t readU32(const ModelBytes& bytes, std::size_t at) {
    return std::uint32_t(readU16(bytes, at)) | std::uint32_t(readU16(bytes, at + 2)) << 16;
}

void writeU16(ModelBytes& bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = value & 0xFF;
    bytes.at(at + 1) = value >> 8;
}

void writeU32(ModelBytes& bytes, std::size_t at, std::uint32_t value) {
    writeU16(bytes, at, std::uint16_t(value & 0xFFFF));
    writeU16(bytes, at + 2, std::uint16_t(value >> 16));
}

namespace {

// Where the sub-chunks of a container start: past the object's name, or past the faces.
std::size_t firstChildOffset(const ModelBytes& bytes, std::size_t chunk) {
    const std::uint16_t id = readU16(bytes, chunk);
    std::size_t at = chunk + 6;
    if (id == LIB3DS_NAMED_OBJECT) {
        while (at < bytes.size() && bytes[at] != 0)
            ++at;
        return at + 1;
    }
    if (id == LIB3DS_FACE_ARRAY)
        return at + 2 + std::size_t(readU16(bytes, at)) * 8;
    return at;
}

} // namespace

std::size_t findChunk(const ModelBytes& bytes, std::initializer_list<std::uint16_t> path,
                      int occurrence) {
    std::size_t chunk = 0;
    auto wanted = path.begin();
    if (bytes.size() < 6 || readU16(bytes, 0) != *wanted)
        return kNoChunk;
    for (++wanted; wanted != path.end(); ++wanted) {
        const bool last = wanted + 1 == path.end();
        const std::size_t end = chunk + readU32(bytes, chunk + 2);
        std::size_t at = firstChildOffset(bytes, chunk);
        int skip = last ? occurrence : 0;
        std::size_t found = kNoChunk;
        while (at + 6 <= end && found == kNoChunk) {
            const std::uint32_t size = readU32(bytes, at + 2);
            if (size < 6)
                break;
            if (readU16(bytes, at) == *wanted && skip-- == 0)
                found = at;
            at += size;
        }
        if (found == kNoChunk)
            return kNoChunk;
        chunk = found;
    }
    return chunk;
}
