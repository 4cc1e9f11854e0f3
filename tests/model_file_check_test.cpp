// The .3ds check and loader: real files from outside are read or refused as their content says,
// and damaged files are refused before lib3ds sees them, or read into a mesh that is safe to draw.
// Any crash or endless loop inside lib3ds would end this test binary.
#include <gtest/gtest.h>
#include <lib3ds/chunk.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>
#include <random>

#include "scene/model_file_check.h"
#include "scene/model_loader.h"
#include "support/gl_test.h"
#include "support/model_files.h"

namespace {

bool sound(const ModelBytes& bytes) {
    return isSoundModelFile(bytes.data(), bytes.size());
}

// The loader's verdict on `bytes` written to a file.
bool loads(const ModelBytes& bytes, const TempFolder& folder) {
    const std::string path = folder.path("damaged.3ds");
    writeBytes(path, bytes);
    Lib3dsFile* model = loadModelFile(path.c_str());
    if (!model)
        return false;
    lib3ds_file_free(model);
    return true;
}

// A bytes-level chunk for files made by hand.
ModelBytes chunk(std::uint16_t id, const ModelBytes& payload) {
    ModelBytes bytes(6);
    writeU16(bytes, 0, id);
    writeU32(bytes, 2, std::uint32_t(payload.size() + 6));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

ModelBytes repeat(const ModelBytes& part, int times) {
    ModelBytes bytes;
    for (int i = 0; i < times; ++i)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The 100-face grid every damage starts from.
class ModelFileDamage : public ::testing::Test {
  protected:
    void SetUp() override {
        GridMesh grid;
        grid.columns = 10;
        grid.rows = 5;
        original = readBytes(saveGridModel(grid, folder.path("grid.3ds")));
        ASSERT_TRUE(sound(original));
        ASSERT_TRUE(loads(original, folder));
        bytes = original;
    }

    std::size_t meshChunk(std::uint16_t id) const {
        return findChunk(original, {LIB3DS_M3DMAGIC, LIB3DS_MDATA, LIB3DS_NAMED_OBJECT,
                                    LIB3DS_N_TRI_OBJECT, id});
    }
    std::size_t nodeChunk(std::uint16_t id) const {
        return findChunk(original, {LIB3DS_M3DMAGIC, LIB3DS_KFDATA, LIB3DS_OBJECT_NODE_TAG, id});
    }
    // Where the parent id sits in the node header: after the name "Grid" and two flag words.
    std::size_t parentIdOffset() const { return nodeChunk(LIB3DS_NODE_HDR) + 6 + 5 + 4; }

    void expectRefused(const char* what) {
        EXPECT_FALSE(sound(bytes)) << what;
        EXPECT_FALSE(loads(bytes, folder)) << what;
        bytes = original;
    }

    TempFolder folder;
    ModelBytes original;
    ModelBytes bytes;
};

} // namespace

TEST(ModelFileCheck, RealFilesPassTheStructureCheck) {
    // Every non-empty file lib3ds reads correctly must pass; whether it is usable is decided later.
    for (const char* name : {"RotatingCube.3DS", "TargetCameraAnim.3ds", "CameraRollAnim.3ds",
                             "CameraRollAnimWithChildObject.3ds", "cube_with_diffuse_texture.3DS",
                             "cube_with_specular_texture.3DS", "cubes_with_alpha.3DS", "test1.3ds",
                             "fels.3ds", "testFormatDetection"}) {
        const ModelBytes bytes = readBytes(testdataPath(std::string("3ds/") + name));
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(sound(bytes)) << name;
    }
    EXPECT_FALSE(sound(readBytes(testdataPath("3ds/empty.3ds"))));
    EXPECT_FALSE(isSoundModelFile(nullptr, 0));
}

TEST(ModelFileCheck, LoaderKeepsOnlyFilesWithADrawableFirstNodeMesh) {
    for (const char* name :
         {"RotatingCube.3DS", "TargetCameraAnim.3ds", "CameraRollAnim.3ds",
          "CameraRollAnimWithChildObject.3ds", "cube_with_diffuse_texture.3DS",
          "cube_with_specular_texture.3DS", "cubes_with_alpha.3DS", "test1.3ds"}) {
        Lib3dsFile* model = loadModelFile(testdataPath(std::string("3ds/") + name).c_str());
        ASSERT_NE(model, nullptr) << name;
        Lib3dsMesh* mesh = firstNodeMesh(model);
        ASSERT_NE(mesh, nullptr) << name;
        // The first node is the alphabetically first, and its mesh is the one of that name.
        EXPECT_STREQ(mesh->name, model->nodes->name) << name;
        lib3ds_file_free(model);
    }
    // No keyframe nodes; no texture coordinates; nothing at all; no file; not a file.
    for (const char* name : {"fels.3ds", "testFormatDetection", "empty.3ds"})
        EXPECT_EQ(loadModelFile(testdataPath(std::string("3ds/") + name).c_str()), nullptr) << name;
    EXPECT_EQ(loadModelFile("/nonexistent/ship.3ds"), nullptr);
    EXPECT_EQ(loadModelFile(testdataPath("3ds").c_str()), nullptr);
    EXPECT_EQ(loadModelFile(nullptr), nullptr);
}

TEST(ModelFileCheck, FirstNodeDecidesTheMeshNotTheMeshOrder) {
    TempFolder folder;
    // "Alpha" is the first mesh but no node names it; "Delta" names no mesh but sorts after
    // "Bravo".
    Lib3dsFile* file = lib3ds_file_new();
    addGridMesh(file, GridMesh{"Alpha", 0, 0, 2, 2, 1, 1});
    addGridMesh(file, GridMesh{"Bravo", 0, 0, 2, 2, 2, 1});
    addObjectNode(file, "Delta", 0);
    addObjectNode(file, "Bravo", 1);
    Lib3dsFile* model = loadModelFile(saveModel(file, folder.path("two.3ds")).c_str());
    ASSERT_NE(model, nullptr);
    EXPECT_STREQ(model->meshes->name, "Alpha");
    ASSERT_NE(firstNodeMesh(model), nullptr);
    EXPECT_STREQ(firstNodeMesh(model)->name, "Bravo");
    lib3ds_file_free(model);

    // When the first node names no mesh, the file gives the ship nothing to draw.
    file = lib3ds_file_new();
    addGridMesh(file, GridMesh{"Bravo", 0, 0, 2, 2, 1, 1});
    addObjectNode(file, "Aardvark", 0);
    addObjectNode(file, "Bravo", 1);
    EXPECT_EQ(loadModelFile(saveModel(file, folder.path("nameless.3ds")).c_str()), nullptr);
}

TEST_F(ModelFileDamage, ZeroLengthAndOverflowingChunksAreRefused) {
    for (std::uint16_t id : {LIB3DS_TEX_VERTS, LIB3DS_MESH_MATRIX, LIB3DS_FACE_ARRAY}) {
        writeU32(bytes, meshChunk(id) + 2, 0);
        expectRefused("zero-length mesh chunk");
    }
    writeU32(bytes, nodeChunk(LIB3DS_POS_TRACK_TAG) + 2, 0);
    expectRefused("zero-length track");
    // One byte too long for its parent, and a size below the header's own.
    writeU32(bytes, meshChunk(LIB3DS_FACE_ARRAY) + 2,
             readU32(original, meshChunk(LIB3DS_FACE_ARRAY) + 2) + 1);
    expectRefused("last chunk of a mesh spilling out of it");
    writeU32(bytes, meshChunk(LIB3DS_MESH_MATRIX) + 2, 5);
    expectRefused("chunk shorter than its header");
    // The whole file claims more than there is.
    writeU32(bytes, 2, std::uint32_t(original.size() + 1));
    expectRefused("root longer than the file");
}

TEST_F(ModelFileDamage, CountsMustFitTheirChunks) {
    for (std::uint16_t id : {LIB3DS_POINT_ARRAY, LIB3DS_TEX_VERTS, LIB3DS_FACE_ARRAY}) {
        const std::size_t count = meshChunk(id) + 6;
        writeU16(bytes, count, std::uint16_t(readU16(original, count) + 1));
        expectRefused("array count one too high");
        writeU16(bytes, count, 0xFFFF);
        expectRefused("array count at its maximum");
    }
    const std::size_t keys = nodeChunk(LIB3DS_POS_TRACK_TAG) + 6 + 10;
    for (std::uint32_t count : {2u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        writeU32(bytes, keys, count);
        expectRefused("track key count past the chunk");
    }
    // Fewer texture coordinates than points is a sound file, but not a ship lib3ds can give us.
    const std::size_t texels = meshChunk(LIB3DS_TEX_VERTS) + 6;
    writeU16(bytes, texels, std::uint16_t(readU16(original, texels) - 1));
    EXPECT_TRUE(sound(bytes));
    EXPECT_FALSE(loads(bytes, folder));
}

TEST_F(ModelFileDamage, FaceIndicesMustStayBelowThePointCount) {
    const std::size_t points = readU16(original, meshChunk(LIB3DS_POINT_ARRAY) + 6);
    const std::size_t firstIndex = meshChunk(LIB3DS_FACE_ARRAY) + 8;
    writeU16(bytes, firstIndex, std::uint16_t(points - 1));
    EXPECT_TRUE(sound(bytes));
    EXPECT_TRUE(loads(bytes, folder));
    bytes = original;
    writeU16(bytes, firstIndex + 4, std::uint16_t(points));
    expectRefused("face index equal to the point count");
    writeU16(bytes, firstIndex + 2, 0xFFFF);
    expectRefused("face index far past the points");
    // Faces read before any point: lib3ds would compute their normals from no points at all.
    writeU16(bytes, meshChunk(LIB3DS_POINT_ARRAY), 0x4FFF);
    expectRefused("faces without points");
}

TEST_F(ModelFileDamage, NodesMustHaveUniqueIdsAndEarlierParents) {
    writeU16(bytes, parentIdOffset(), 0);
    expectRefused("node that is its own parent");
    writeU16(bytes, parentIdOffset(), 7);
    expectRefused("parent that does not exist");
    // Without its id and header chunks a node has id 0 and parent 0: its own parent again.
    writeU16(bytes, nodeChunk(LIB3DS_NODE_ID), 0xB0F0);
    writeU16(bytes, nodeChunk(LIB3DS_NODE_HDR), 0xB0F1);
    expectRefused("node without id and header");

    // Two nodes: the child may name the earlier one as parent, not the other way round, and two
    // nodes may not share an id.
    Lib3dsFile* file = lib3ds_file_new();
    addGridMesh(file, GridMesh{"Alpha", 0, 0, 2, 2, 1, 1});
    addObjectNode(file, "Alpha", 0);
    addObjectNode(file, "Bravo", 1);
    const ModelBytes pair = readBytes(saveModel(file, folder.path("pair.3ds")));
    const auto header = [&](int which) {
        return findChunk(pair, {LIB3DS_M3DMAGIC, LIB3DS_KFDATA, LIB3DS_OBJECT_NODE_TAG}, which);
    };
    const std::size_t firstParent = header(0) + 6 + 8 + 6 + 6 + 4;  // node "Alpha", id 0
    const std::size_t secondParent = header(1) + 6 + 8 + 6 + 6 + 4; // node "Bravo", id 1
    ModelBytes damaged = pair;
    writeU16(damaged, secondParent, 0);
    EXPECT_TRUE(sound(damaged));
    EXPECT_TRUE(loads(damaged, folder));
    damaged = pair;
    writeU16(damaged, firstParent, 1);
    EXPECT_FALSE(sound(damaged)) << "parent after its child";
    damaged = pair;
    writeU16(damaged, header(1) + 6 + 6, 0);
    EXPECT_FALSE(sound(damaged)) << "duplicate node id";
}

TEST_F(ModelFileDamage, TruncatedFilesAreRefusedAtEveryLength) {
    for (std::size_t length = 0; length < original.size(); ++length) {
        ModelBytes cut(original.begin(), original.begin() + long(length));
        EXPECT_FALSE(sound(cut)) << "cut at " << length;
        // With the outer size mended, the chunks inside still reach past the end, or (cut between
        // chunks) the keyframe node that comes last is gone.
        if (length >= 6) {
            writeU32(cut, 2, std::uint32_t(length));
            if (sound(cut)) {
                EXPECT_FALSE(loads(cut, folder)) << "cut at " << length;
            }
        }
    }
}

TEST(ModelFileCheck, GradientColoursBeyondThreeAreRefused) {
    // lib3ds keeps a gradient's colours in arrays of three; more would overwrite its stack.
    const ModelBytes colour = chunk(LIB3DS_COLOR_F, ModelBytes(12, 0));
    const auto file = [&](int colours) {
        ModelBytes gradient(4, 0);
        const ModelBytes list = repeat(colour, colours);
        gradient.insert(gradient.end(), list.begin(), list.end());
        return chunk(LIB3DS_M3DMAGIC, chunk(LIB3DS_MDATA, chunk(LIB3DS_V_GRADIENT, gradient)));
    };
    EXPECT_TRUE(sound(file(3)));
    EXPECT_FALSE(sound(file(4)));
    EXPECT_FALSE(sound(file(200)));
}

TEST(ModelFileCheck, MaterialGroupsMustNameExistingFaces) {
    // One face, then a material group naming face 0 (sound) or face 1 (written out of bounds).
    const auto file = [](std::uint16_t faceInGroup) {
        ModelBytes points(2 + 3 * 12, 0);
        writeU16(points, 0, 3);
        ModelBytes group = {'m', 0, 1, 0};
        group.push_back(std::uint8_t(faceInGroup));
        group.push_back(0);
        ModelBytes faces = {1, 0, 0, 0, 1, 0, 2, 0, 0, 0};
        const ModelBytes groupChunk = chunk(LIB3DS_MSH_MAT_GROUP, group);
        faces.insert(faces.end(), groupChunk.begin(), groupChunk.end());
        ModelBytes mesh = chunk(LIB3DS_POINT_ARRAY, points);
        const ModelBytes faceChunk = chunk(LIB3DS_FACE_ARRAY, faces);
        mesh.insert(mesh.end(), faceChunk.begin(), faceChunk.end());
        ModelBytes object = {'o', 0};
        const ModelBytes meshChunk = chunk(LIB3DS_N_TRI_OBJECT, mesh);
        object.insert(object.end(), meshChunk.begin(), meshChunk.end());
        return chunk(LIB3DS_M3DMAGIC, chunk(LIB3DS_MDATA, chunk(LIB3DS_NAMED_OBJECT, object)));
    };
    EXPECT_TRUE(sound(file(0)));
    EXPECT_FALSE(sound(file(1)));
}

namespace {

struct FuzzTally {
    int refusedByCheck = 0;
    int refusedAfterLoad = 0;
    int loaded = 0;
};

// A damaged copy either fails the check, or lib3ds reads it (without crashing or hanging) and the
// loader keeps it only with a mesh that is safe to draw.
void tryDamaged(const ModelBytes& bytes, const TempFolder& folder, FuzzTally& tally) {
    if (!sound(bytes)) {
        ++tally.refusedByCheck;
        return;
    }
    const std::string path = folder.path("fuzz.3ds");
    writeBytes(path, bytes);
    Lib3dsFile* model = loadModelFile(path.c_str());
    if (!model) {
        ++tally.refusedAfterLoad;
        return;
    }
    ++tally.loaded;
    const Lib3dsMesh* mesh = firstNodeMesh(model);
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(mesh->texels, mesh->points);
    for (Lib3dsDword face = 0; face < mesh->faces; ++face)
        for (Lib3dsWord index : mesh->faceL[face].points)
            ASSERT_LT(index, mesh->points);
    lib3ds_file_free(model);
}

void fuzz(const ModelBytes& original, unsigned seed, const TempFolder& folder, FuzzTally& tally) {
    std::minstd_rand random(seed);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    // Single bytes, each flipped, cleared or set.
    for (std::size_t at = 0; at < original.size(); ++at) {
        ModelBytes bytes = original;
        const std::uint8_t choices[3] = {std::uint8_t(original[at] ^ (1 + below(255))), 0, 0xFF};
        bytes[at] = choices[at % 3];
        tryDamaged(bytes, folder, tally);
    }
    // Sizes and counts: words and dwords at any offset, set to telling values.
    const std::uint32_t telling[] = {0, 1, 5, 6, 7, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF};
    for (int round = 0; round < 600; ++round) {
        ModelBytes bytes = original;
        const std::uint32_t value = round % 4 == 0 ? std::uint32_t(random()) : telling[below(9)];
        if (round % 2 == 0)
            writeU32(bytes, below(bytes.size() - 3), value);
        else
            writeU16(bytes, below(bytes.size() - 1), std::uint16_t(value));
        tryDamaged(bytes, folder, tally);
    }
    // Several damages at once.
    for (int round = 0; round < 200; ++round) {
        ModelBytes bytes = original;
        for (int hit = 0; hit < 4; ++hit)
            bytes[below(bytes.size())] = std::uint8_t(random());
        tryDamaged(bytes, folder, tally);
    }
}

} // namespace

TEST(ModelFileFuzz, DamagedCopiesNeverCrashOrHang) {
    TempFolder folder;
    GridMesh grid;
    grid.columns = 4;
    grid.rows = 3;
    const ModelBytes made = readBytes(saveGridModel(grid, folder.path("grid.3ds")));
    // A file with tracks full of keys and a camera; one with a material and mapping chunks.
    const ModelBytes animated = readBytes(testdataPath("3ds/CameraRollAnimWithChildObject.3ds"));
    const ModelBytes textured = readBytes(testdataPath("3ds/cube_with_diffuse_texture.3DS"));
    unsigned seed = 1;
    for (const ModelBytes* original : {&made, &animated, &textured}) {
        ASSERT_FALSE(original->empty());
        FuzzTally tally;
        fuzz(*original, seed++, folder, tally);
        // The damage must reach lib3ds often, or the loop tests nothing but the check.
        EXPECT_GT(tally.loaded, 100);
        EXPECT_GT(tally.refusedByCheck, 100);
    }
}
