// Test support for the ship models: small .3ds files written with lib3ds (flat grids of quads
// with one texture coordinate per point), a temporary folder for them and for damaged copies, and
// a finder for chunks inside a file's bytes so that tests can damage them on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

struct Lib3dsFile;

using ModelBytes = std::vector<unsigned char>;

// A grid of columns x rows quads (two triangles each) in the z = 0 plane, centred on
// (centreX, centreY), with texture coordinates running 0..1 across it.
struct GridMesh {
    const char* name = "Grid";
    float centreX = 0.0f;
    float centreY = 0.0f;
    float width = 2.0f;
    float height = 2.0f;
    int columns = 1;
    int rows = 1;
};

void addGridMesh(Lib3dsFile* file, const GridMesh& grid);
// A top-level object node naming the mesh `name`.
void addObjectNode(Lib3dsFile* file, const char* name, std::uint16_t nodeId);

// A folder of its own under /tmp, removed with everything in it when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path(const std::string& fileName) const { return folder_ + "/" + fileName; }

  private:
    std::string folder_;
};

// Saves and frees `file`; returns the path.
std::string saveModel(Lib3dsFile* file, const std::string& path);
// A file with one grid mesh and its node.
std::string saveGridModel(const GridMesh& grid, const std::string& path);

ModelBytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const ModelBytes& bytes);

std::uint16_t readU16(const ModelBytes& bytes, std::size_t at);
std::uint32_t readU32(const ModelBytes& bytes, std::size_t at);
void writeU16(ModelBytes& bytes, std::size_t at, std::uint16_t value);
void writeU32(ModelBytes& bytes, std::size_t at, std::uint32_t value);

// Offset of the chunk reached by following `path` (chunk ids from the root down, the first match
// at each level), or npos. `occurrence` picks the n-th match at the last level.
constexpr std::size_t kNoChunk = std::size_t(-1);
std::size_t findChunk(const ModelBytes& bytes, std::initializer_list<std::uint16_t> path,
                      int occurrence = 0);
