// The generated data files: every model and bitmap loads through the program's own loaders (and
// ImageMagick reads the bitmaps too), the ships have their nozzles and gun barrels where the
// world starts trails and shots, their faces point outwards after the model transform, the
// transport leaves room for its crate, and the additive textures fade to black at their edges.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "math/vec3.h"
#include "scene/bmp_image.h"
#include "scene/model_loader.h"
#include "scene/model_object.h"
#include "support/gl_test.h"

namespace {

std::string dataPath(const char* name) {
    return std::string(KAVO_DATA_DIR) + "/" + name;
}

// A point in a ship's axes: x right, y up, z along the nose.
struct Offset {
    float x, y, z;
};

// One kind of ship as the world builds it: its file, the model transform of the world's table
// (column-major), its size in body units, and where the world starts its trails and shots.
struct ShipKind {
    const char* file;
    float transform[16];
    float width, length;
    std::vector<Offset> nozzles; // trail emitters, reverse emitters included
    std::vector<Offset> muzzles;
};

const ShipKind kShips[] = {
    {"ship.3ds",
     {-0.01f, 0, 0, 0, 0, 0, 0.01f, 0, 0, 0.01f, 0, 0, 0, 0, 0, 1},
     2.0f,
     1.5f,
     {{-0.1f, 0, -0.6f}, {0.1f, 0, -0.6f}},
     {{-0.9f, -0.09f, 0}, {0.9f, -0.09f, 0}}},
    {"transp.3ds",
     {0.07f, 0, 0, 0, 0, 0, -0.07f, 0, 0, 0.07f, 0, 0, 0, 0, 0, 1},
     5.0f,
     6.0f,
     {{-1.95f, -0.17f, -2.55f},
      {1.95f, -0.17f, -2.55f},
      {-1.95f, -0.17f, -1.0f},
      {1.95f, -0.17f, -1.0f}},
     {}},
    {"enemy.3ds",
     {-0.05f, 0, 0, 0, 0, 0, 0.05f, 0, 0, 0.05f, 0, 0, 0, 0, 0, 1},
     1.5f,
     3.0f,
     {{-0.45f, 0.52f, -1.5f}, {0.45f, 0.52f, -1.5f}},
     {{-0.1f, 0.7f, -0.4f}, {0.1f, 0.7f, -0.4f}}},
};

// How far a nozzle or barrel vertex may lie from the point the world uses, in body units.
constexpr float kMountTolerance = 0.05f;

struct ModelDeleter {
    void operator()(Lib3dsFile* file) const { lib3ds_file_free(file); }
};
using Model = std::unique_ptr<Lib3dsFile, ModelDeleter>;

Vec3 transformPoint(const float* m, const float* p) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12],
            m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

// The mesh's points after the model transform: body coordinates, the nose towards -z.
std::vector<Vec3> bodyPoints(const Lib3dsMesh& mesh, const float* transform) {
    std::vector<Vec3> points;
    for (Lib3dsDword i = 0; i < mesh.points; ++i)
        points.push_back(transformPoint(transform, mesh.pointL[i].pos));
    return points;
}

float nearestDistance(const std::vector<Vec3>& points, const Vec3& target) {
    float best = 1e9f;
    for (const Vec3& p : points)
        best = std::min(best, (p - target).length());
    return best;
}

Vec3 bodyPointOf(const Offset& o) {
    return {o.x, o.y, -o.z};
}

TEST(AssetsModels, loadThroughTheModelPathWithOneNamedMeshAndATexelPerPoint) {
    for (const ShipKind& kind : kShips) {
        SCOPED_TRACE(kind.file);
        Model model(loadModelFile(dataPath(kind.file).c_str()));
        ASSERT_NE(model, nullptr);
        ASSERT_NE(model->nodes, nullptr);
        EXPECT_EQ(model->nodes->next, nullptr) << "one object node";
        EXPECT_EQ(model->nodes->type, LIB3DS_OBJECT_NODE);
        EXPECT_EQ(model->nodes->parent_id, LIB3DS_NO_PARENT);
        ASSERT_NE(model->meshes, nullptr);
        EXPECT_EQ(model->meshes->next, nullptr) << "one mesh";

        Lib3dsMesh* mesh = firstNodeMesh(model.get());
        ASSERT_NE(mesh, nullptr);
        EXPECT_STREQ(mesh->name, model->nodes->name);
        EXPECT_TRUE(isDrawableMesh(mesh));
        EXPECT_EQ(mesh->texels, mesh->points);
        EXPECT_GT(mesh->faces, 100u);
        // Flat faces: each face has three points of its own.
        EXPECT_EQ(mesh->points, mesh->faces * 3);
        for (Lib3dsDword f = 0; f < mesh->faces; ++f)
            for (int i = 0; i < 3; ++i)
                ASSERT_LT(mesh->faceL[f].points[i], mesh->points) << "face " << f;
        for (Lib3dsDword t = 0; t < mesh->texels; ++t)
            for (int i = 0; i < 2; ++i)
                ASSERT_TRUE(std::isfinite(mesh->texelL[t][i])) << "texel " << t;
    }
}

TEST(AssetsModels, haveTheSizeOfTheirKindInBodyUnits) {
    for (const ShipKind& kind : kShips) {
        SCOPED_TRACE(kind.file);
        Model model(loadModelFile(dataPath(kind.file).c_str()));
        ASSERT_NE(model, nullptr);
        const std::vector<Vec3> points = bodyPoints(*firstNodeMesh(model.get()), kind.transform);
        Vec3 low = points.front(), high = points.front();
        for (const Vec3& p : points) {
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
        EXPECT_NEAR(high.x - low.x, kind.width, 0.15f * kind.width);
        EXPECT_NEAR(high.z - low.z, kind.length, 0.15f * kind.length);
        // Symmetric about the ship's own up-forward plane, and the nose at -z.
        EXPECT_NEAR(high.x, -low.x, 0.01f);
        EXPECT_LT(low.z, -0.35f * kind.length);
    }
}

TEST(AssetsModels, haveANozzleOrBarrelVertexAtEveryTrailAndMuzzlePoint) {
    for (const ShipKind& kind : kShips) {
        SCOPED_TRACE(kind.file);
        Model model(loadModelFile(dataPath(kind.file).c_str()));
        ASSERT_NE(model, nullptr);
        const std::vector<Vec3> points = bodyPoints(*firstNodeMesh(model.get()), kind.transform);
        for (const Offset& o : kind.nozzles)
            EXPECT_LE(nearestDistance(points, bodyPointOf(o)), kMountTolerance)
                << "nozzle at (" << o.x << ", " << o.y << ", " << o.z << ")";
        for (const Offset& o : kind.muzzles)
            EXPECT_LE(nearestDistance(points, bodyPointOf(o)), kMountTolerance)
                << "muzzle at (" << o.x << ", " << o.y << ", " << o.z << ")";
        // And nothing of the ship sticks out in front of a muzzle: shots leave from the tip.
        for (const Offset& o : kind.muzzles) {
            const Vec3 muzzle = bodyPointOf(o);
            for (const Vec3& p : points) {
                const bool inBarrelLine = std::hypot(p.x - muzzle.x, p.y - muzzle.y) < 0.03f;
                if (inBarrelLine) {
                    ASSERT_GE(p.z, muzzle.z - 1e-3f) << "the barrel runs past its muzzle";
                }
            }
        }
    }
}

TEST(AssetsModels, transportLeavesRoomForItsCrate) {
    const ShipKind& transport = kShips[1];
    Model model(loadModelFile(dataPath(transport.file).c_str()));
    ASSERT_NE(model, nullptr);
    const Lib3dsMesh& mesh = *firstNodeMesh(model.get());
    // The 2 x 2 x 2 crate rides at (0, -0.4, -1.0) in the ship's axes; a little inside its faces
    // no part of the hull may be, neither corners nor the middle of edges and faces.
    const Vec3 centre = bodyPointOf({0.0f, -0.4f, -1.0f});
    const float inside = 0.98f;
    auto inCrate = [&](const Vec3& p) {
        return std::fabs(p.x - centre.x) < inside && std::fabs(p.y - centre.y) < inside &&
               std::fabs(p.z - centre.z) < inside;
    };
    for (Lib3dsDword f = 0; f < mesh.faces; ++f) {
        Vec3 c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = transformPoint(transport.transform, mesh.pointL[mesh.faceL[f].points[i]].pos);
        const Vec3 samples[] = {c[0],
                                c[1],
                                c[2],
                                (c[0] + c[1]) * 0.5f,
                                (c[1] + c[2]) * 0.5f,
                                (c[2] + c[0]) * 0.5f,
                                (c[0] + c[1] + c[2]) * (1.0f / 3.0f)};
        for (const Vec3& s : samples)
            ASSERT_FALSE(inCrate(s)) << "face " << f << " reaches into the crate at (" << s.x
                                     << ", " << s.y << ", " << s.z << ")";
    }
}

// Drawn the way the program draws them: through ShipObject, with or without back-face culling.
class AssetsShipDrawing : public GlTest {
  protected:
    // The depth buffer after drawing the ship seen from `eye`, looking at its centre.
    static std::vector<float> depths(ShipObject& ship, const Vec3& eye, bool cullBackFaces) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        if (cullBackFaces)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        glLoadIdentity();
        const Vec3 up = std::fabs(eye.y) > 0.9f * eye.length() ? Vec3(0, 0, -1) : Vec3(0, 1, 0);
        gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, up.x, up.y, up.z);
        ship.draw();
        std::vector<float> depth(std::size_t(surfaceWidth()) * surfaceHeight());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, surfaceWidth(), surfaceHeight(), GL_DEPTH_COMPONENT, GL_FLOAT,
                     depth.data());
        glDisable(GL_CULL_FACE);
        return depth;
    }
};

// With every face wound counter-clockwise seen from outside, culling removes only faces that are
// hidden anyway: the nearest surface at every pixel stays the same. A solid wound the other way
// round loses its near side to culling and shows its inside far wall instead, which lies deeper.
TEST_F(AssetsShipDrawing, cullingBackFacesLeavesTheNearestSurfaceEverywhere) {
    for (const ShipKind& kind : kShips) {
        SCOPED_TRACE(kind.file);
        ShipObject ship(dataPath(kind.file).c_str(), kind.transform, false);
        ship.buildDisplayList();
        ASSERT_NE(ship.displayList, 0u);
        const float d = kind.length * 1.6f;
        const Vec3 eyes[] = {{d, 0, 0},
                             {-d, 0, 0},
                             {0, d, 0},
                             {0, -d, 0},
                             {0, 0, d},
                             {0, 0, -d},
                             {d * 0.6f, d * 0.5f, d * 0.6f},
                             {-d * 0.6f, -d * 0.4f, -d * 0.7f}};
        for (const Vec3& eye : eyes) {
            const std::vector<float> all = depths(ship, eye, false);
            const std::vector<float> culled = depths(ship, eye, true);
            int covered = 0, changed = 0;
            for (std::size_t i = 0; i < all.size(); ++i) {
                covered += all[i] < 1.0f ? 1 : 0;
                changed += culled[i] != all[i] ? 1 : 0;
            }
            EXPECT_GT(covered, 500) << "eye (" << eye.x << ", " << eye.y << ", " << eye.z << ")";
            EXPECT_LE(changed, covered / 500)
                << "eye (" << eye.x << ", " << eye.y << ", " << eye.z << ")";
        }
    }
}

// The bytes of a generated bitmap file.
std::vector<unsigned char> fileBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

std::uint32_t littleEndian(const std::vector<unsigned char>& b, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | b[at + std::size_t(i)];
    return value;
}

// What ImageMagick makes of a file: "width height depth", or empty when it cannot read it.
std::string identify(const std::string& path) {
    const std::string command = "identify -format '%w %h %z' '" + path + "' 2>/dev/null";
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[128];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

struct Bitmap {
    const char* file;
    int width, height;
};

const Bitmap kBitmaps[] = {{"ship_tex.bmp", 256, 256}, {"enemy_tex.bmp", 256, 256},
                           {"tzlogo.bmp", 256, 256},   {"bckgr.bmp", 1024, 512},
                           {"particle.bmp", 64, 64},   {"expl.bmp", 128, 128},
                           {"reticle.bmp", 64, 64}};

struct ImageDeleter {
    void operator()(RgbImage* image) const { freeRgbImage(image); }
};
using LoadedImage = std::unique_ptr<RgbImage, ImageDeleter>;

LoadedImage loadData(const char* file) {
    return LoadedImage(loadDibImage(dataPath(file).c_str()));
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

TEST(AssetsBitmaps, areUncompressed24BitFilesThatOurLoaderAndImageMagickRead) {
    for (const Bitmap& bitmap : kBitmaps) {
        SCOPED_TRACE(bitmap.file);
        const std::vector<unsigned char> bytes = fileBytes(dataPath(bitmap.file));
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(littleEndian(bytes, 10, 4), 54u) << "pixels right after the headers";
        EXPECT_EQ(littleEndian(bytes, 14, 4), 40u) << "info header";
        EXPECT_EQ(littleEndian(bytes, 28, 2), 24u) << "bits per pixel";
        EXPECT_EQ(littleEndian(bytes, 30, 4), 0u) << "no compression";
        const std::size_t rowBytes = (std::size_t(bitmap.width) * 3 + 3) & ~std::size_t(3);
        EXPECT_EQ(bytes.size(), 54 + rowBytes * std::size_t(bitmap.height));

        LoadedImage image = loadData(bitmap.file);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, bitmap.width);
        EXPECT_EQ(image->height, bitmap.height) << "positive: bottom row first";
        EXPECT_TRUE(isPowerOfTwo(image->width) && isPowerOfTwo(image->height));
        EXPECT_EQ(image->width % 4, 0) << "rows need no padding in the upload";

        EXPECT_EQ(identify(dataPath(bitmap.file)),
                  std::to_string(bitmap.width) + " " + std::to_string(bitmap.height) + " 8");
    }
}

struct Pixels {
    const RgbImage& image;
    const unsigned char* at(int x, int y) const {
        return image.data + (std::size_t(y) * image.width + x) * 3;
    }
    int brightness(int x, int y) const {
        const unsigned char* p = at(x, y);
        return std::max({p[0], p[1], p[2]});
    }
};

// Particles, explosions and the reticle are added to the frame: a texel above black anywhere
// on the border would show the square outline of the billboard.
TEST(AssetsBitmaps, additiveTexturesAreBlackAtEveryEdgeAndBrightInside) {
    for (const char* file : {"particle.bmp", "expl.bmp", "reticle.bmp"}) {
        SCOPED_TRACE(file);
        LoadedImage image = loadData(file);
        ASSERT_NE(image, nullptr);
        const Pixels pixels{*image};
        const int w = image->width, h = image->height;
        for (int i = 0; i < w; ++i) {
            ASSERT_EQ(pixels.brightness(i, 0), 0) << "bottom row, x " << i;
            ASSERT_EQ(pixels.brightness(i, h - 1), 0) << "top row, x " << i;
        }
        for (int j = 0; j < h; ++j) {
            ASSERT_EQ(pixels.brightness(0, j), 0) << "left column, y " << j;
            ASSERT_EQ(pixels.brightness(w - 1, j), 0) << "right column, y " << j;
        }
        int brightest = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                brightest = std::max(brightest, pixels.brightness(x, y));
        EXPECT_GE(brightest, 240);
    }
    // The glow and the fireball are brightest in the middle.
    for (const char* file : {"particle.bmp", "expl.bmp"}) {
        LoadedImage image = loadData(file);
        ASSERT_NE(image, nullptr);
        EXPECT_GE(Pixels{*image}.brightness(image->width / 2, image->height / 2), 240) << file;
    }
}

// Mean absolute difference between two columns of the picture.
double columnDifference(const Pixels& pixels, int a, int b) {
    double sum = 0.0;
    for (int y = 0; y < pixels.image.height; ++y)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(int(pixels.at(a, y)[c]) - int(pixels.at(b, y)[c]));
    return sum / (pixels.image.height * 3.0);
}

TEST(AssetsBitmaps, backgroundWrapsWithoutSeamAndThinsItsStarsAtThePoles) {
    LoadedImage image = loadData("bckgr.bmp");
    ASSERT_NE(image, nullptr);
    const Pixels pixels{*image};
    const int w = image->width, h = image->height;
    // Where u = 1 meets u = 0, neighbouring columns differ no more than neighbours elsewhere.
    double typical = 0.0;
    for (int x = 0; x + 1 < w; ++x)
        typical += columnDifference(pixels, x, x + 1);
    typical /= (w - 1);
    EXPECT_LE(columnDifference(pixels, w - 1, 0), typical * 1.5);

    // A star is a run of texels much brighter than the sky; near a pole one star spreads over many
    // texels of its row, which is as short as a few texels on the sphere.
    auto starsInRows = [&](int y0, int y1) {
        int stars = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < w; ++x)
                stars +=
                    pixels.brightness(x, y) > 150 && pixels.brightness((x + w - 1) % w, y) <= 150;
        return stars;
    };
    const int band = h / 16;
    const int nearPoles = starsInRows(0, band) + starsInRows(h - band, h);
    const int atEquator = starsInRows(h / 2 - band, h / 2 + band);
    EXPECT_GT(atEquator, 0);
    EXPECT_LT(nearPoles, atEquator / 3);
}

// Mean red, green and blue of a picture.
std::vector<double> meanColour(const RgbImage& image) {
    std::vector<double> sum(3, 0.0);
    const std::size_t count = std::size_t(image.width) * image.height;
    for (std::size_t i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            sum[c] += image.data[i * 3 + c];
    for (double& s : sum)
        s /= double(count);
    return sum;
}

TEST(AssetsBitmaps, enemySkinIsReddishAndOurShipsAreNot) {
    LoadedImage enemy = loadData("enemy_tex.bmp");
    LoadedImage ours = loadData("ship_tex.bmp");
    ASSERT_NE(enemy, nullptr);
    ASSERT_NE(ours, nullptr);
    const std::vector<double> e = meanColour(*enemy);
    const std::vector<double> o = meanColour(*ours);
    EXPECT_GT(e[0], 1.6 * e[1]);
    EXPECT_GT(e[0], 1.6 * e[2]);
    EXPECT_LT(o[0], 1.1 * o[2]) << "grey-blue plating";
}

} // namespace
