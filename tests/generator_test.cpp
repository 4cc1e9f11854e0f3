// The asset generator's pieces, where the generated files alone would not show a fault: bitmap
// rows of every width, seamless noise, solids that face outwards whichever way they were built,
// texture coordinates that stay inside their part of the hull texture, the model transform's
// inverse, and a model too big for 16-bit point indices.
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "scene/bmp_image.h"
#include "scene/model_loader.h"
#include "tools/bmp_writer.h"
#include "tools/hull_atlas.h"
#include "tools/hull_mapping.h"
#include "tools/model_frame.h"
#include "tools/model_writer.h"
#include "tools/noise.h"
#include "tools/shape_parts.h"
#include "tools/ship_shapes.h"

namespace {

struct ImageDeleter {
    void operator()(RgbImage* image) const { freeRgbImage(image); }
};

// A distinct 8-bit colour for every pixel, so a shifted or skewed row shows.
Color patternColor(int x, int y) {
    return {float(10 + 20 * x) / 255.0f, float(200 - 30 * y) / 255.0f, float(7 * (x + y)) / 255.0f};
}

TEST(GeneratorBmp, rowsOfEveryWidthComeBackPixelForPixelThroughOurLoader) {
    for (int width = 1; width <= 6; ++width) {
        SCOPED_TRACE(width);
        Image image(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                image.at(x, y) = patternColor(x, y);
        const std::vector<std::uint8_t> bytes = encodeBmp(image);
        const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54 + rowBytes * 3);

        std::unique_ptr<RgbImage, ImageDeleter> decoded(
            decodeDibImage(bytes.data(), bytes.size(), "pattern"));
        ASSERT_NE(decoded, nullptr);
        ASSERT_EQ(decoded->width, width);
        ASSERT_EQ(decoded->height, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = decoded->data + (std::size_t(y) * width + x) * 3;
                const Color c = patternColor(x, y);
                EXPECT_EQ(p[0], std::lround(c.r * 255)) << x << ", " << y;
                EXPECT_EQ(p[1], std::lround(c.g * 255)) << x << ", " << y;
                EXPECT_EQ(p[2], std::lround(c.b * 255)) << x << ", " << y;
            }
    }
}

TEST(GeneratorBmp, coloursOutsideTheRangeAreClampedNotWrapped) {
    Image image(4, 1);
    image.at(0, 0) = {1.7f, -0.5f, 0.5f};
    const std::vector<std::uint8_t> bytes = encodeBmp(image);
    EXPECT_EQ(bytes[54], 128); // blue
    EXPECT_EQ(bytes[55], 0);   // green
    EXPECT_EQ(bytes[56], 255); // red
}

TEST(GeneratorNoise, repeatsAfterItsPeriodAndStaysInRange) {
    for (float x : {0.0f, 0.3f, 2.71f, 7.9f})
        for (float y : {0.0f, 1.5f, 3.25f}) {
            EXPECT_NEAR(fractalNoise(x, y, 4, 8, 5), fractalNoise(x + 8.0f, y, 4, 8, 5), 1e-5f);
            EXPECT_NEAR(valueNoise(x, y, 3, 9), valueNoise(x - 3.0f, y, 3, 9), 1e-5f);
            const float n = fractalNoise(x, y, 5, 0, 1);
            EXPECT_GE(n, 0.0f);
            EXPECT_LT(n, 1.0f);
        }
}

// A tapered tube along z, with its rings listed in either turning direction.
MeshBuilder tube(bool clockwise) {
    const Vec3 right{1, 0, 0}, up = clockwise ? Vec3(0, -1, 0) : Vec3(0, 1, 0);
    MeshBuilder mesh;
    mesh.beginPart(Surface::Hull);
    mesh.addLoft({polygonRing({0, 0, 0}, right, up, 1.0f, 1.0f, 8),
                  polygonRing({0, 0, 2}, right, up, 0.5f, 0.5f, 8), pointRing({0, 0, 3}, 8)},
                 Cap::round(Surface::Nozzle, {0, 0, 0}), Cap::none());
    mesh.endPart();
    return mesh;
}

TEST(GeneratorMesh, everyFaceOfASolidPointsOutwardsWhicheverWayItWasBuilt) {
    for (bool clockwise : {false, true}) {
        SCOPED_TRACE(clockwise ? "clockwise rings" : "counter-clockwise rings");
        const MeshBuilder mesh = tube(clockwise);
        // 8 quads, 8 triangles closing at the point, 8 cap triangles; nothing degenerate.
        EXPECT_EQ(mesh.triangles().size(), 8u * 2 + 8 + 8);
        const Vec3 inside{0, 0, 1};
        for (const MeshTriangle& t : mesh.triangles()) {
            EXPECT_GT(t.normal().dot(t.centre() - inside), 0.0f);
            const float area =
                (t.corner[1] - t.corner[0]).cross(t.corner[2] - t.corner[0]).length();
            EXPECT_GT(area, 1e-6f);
        }
    }
}

TEST(GeneratorMesh, roundCapIsAFanAroundItsExactCentreMappedInsideItsPicture) {
    const MeshBuilder mesh = tube(false);
    const AtlasRect rect = nozzleRect();
    int capFaces = 0;
    for (const MeshTriangle& t : mesh.triangles()) {
        if (t.surface != Surface::Nozzle)
            continue;
        ++capFaces;
        EXPECT_TRUE(t.mapped);
        bool hasCentre = false;
        for (int i = 0; i < 3; ++i) {
            hasCentre = hasCentre || t.corner[i].length() == 0.0f;
            EXPECT_GT(t.u[i], rect.u0);
            EXPECT_LT(t.u[i], rect.u1);
            EXPECT_GT(t.v[i], rect.v0);
            EXPECT_LT(t.v[i], rect.v1);
        }
        EXPECT_TRUE(hasCentre);
    }
    EXPECT_EQ(capFaces, 8);
}

bool inside(float value, float low, float high) {
    return value >= low && value <= high;
}

// With linear filtering a texture coordinate closer than half a texel to the edge of its part of
// the atlas blends in the neighbouring part: a dark band's colour on a lit face, glass on a hull.
TEST(GeneratorMapping, everyFaceSamplesOnlyItsOwnPartOfTheHullTexture) {
    const float halfTexel = 0.5f / kHullTextureSize;
    for (ShipShape (*build)() : {buildFighterShape, buildTransportShape, buildEnemyShape}) {
        const ShipShape shape = build();
        SCOPED_TRACE(shape.meshName);
        for (const MeshTriangle& t : shape.mesh.triangles()) {
            ASSERT_TRUE(t.mapped);
            AtlasRect r{};
            switch (t.surface) {
            case Surface::Hull:
                r = shadeBandRect(shadeBandFor(t.normal()));
                break;
            case Surface::Glass:
                r = glassRect();
                break;
            case Surface::Metal:
                r = metalRect();
                break;
            case Surface::Marking:
                r = markingRect();
                break;
            case Surface::Nozzle:
                r = nozzleRect();
                break;
            case Surface::Muzzle:
                r = muzzleRect();
                break;
            }
            for (int i = 0; i < 3; ++i) {
                ASSERT_TRUE(inside(t.v[i], r.v0 + halfTexel, r.v1 - halfTexel))
                    << "v " << t.v[i] << " outside " << r.v0 << ".." << r.v1;
                // The plating bands span the whole width and repeat along u; nothing else does.
                if (t.surface != Surface::Hull) {
                    ASSERT_TRUE(inside(t.u[i], r.u0 + halfTexel, r.u1 - halfTexel))
                        << "u " << t.u[i] << " outside " << r.u0 << ".." << r.u1;
                }
            }
        }
    }
}

TEST(GeneratorMapping, facesTurnedToTheLightGetBrighterBands) {
    EXPECT_EQ(shadeBandFor({0, 1, 0}), kShadeBands - 1);
    EXPECT_EQ(shadeBandFor({0, -1, 0}), 0);
    EXPECT_LT(shadeBandFor({1, 0, 0}), shadeBandFor({0, 1, 0}));
    for (int band = 1; band < kShadeBands; ++band)
        EXPECT_GT(shadeBandBrightness(band), shadeBandBrightness(band - 1));
}

// The program's model transforms, column-major, as the world builds them.
const float kTurnedTransform[16] = {-0.01f, 0, 0, 0, 0, 0, 0.01f, 0, 0, 0.01f, 0, 0, 0, 0, 0, 1};
const float kPlainTransform[16] = {0.07f, 0, 0, 0, 0, 0, -0.07f, 0, 0, 0.07f, 0, 0, 0, 0, 0, 1};

Vec3 apply(const float* m, const Vec3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z, m[1] * p.x + m[5] * p.y + m[9] * p.z,
            m[2] * p.x + m[6] * p.y + m[10] * p.z};
}

TEST(GeneratorModelFrame, writesPointsThatTheProgramsTransformPutsBackInPlace) {
    const struct {
        ModelFrame frame;
        const float* transform;
    } cases[] = {{{0.01f, true}, kTurnedTransform}, {{0.07f, false}, kPlainTransform}};
    for (const auto& c : cases) {
        for (const Vec3& body :
             {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(0.9f, -0.09f, 0)}) {
            const Vec3 model = bodyToModel(c.frame, body);
            const Vec3 drawn = apply(c.transform, model);
            EXPECT_NEAR(drawn.x, body.x, 1e-5f);
            EXPECT_NEAR(drawn.y, body.y, 1e-5f);
            EXPECT_NEAR(drawn.z, body.z, 1e-5f);
            const Vec3 back = modelToBody(c.frame, model);
            EXPECT_NEAR(back.x, body.x, 1e-5f);
            EXPECT_NEAR(back.y, body.y, 1e-5f);
            EXPECT_NEAR(back.z, body.z, 1e-5f);
        }
    }
}

std::string temporaryModelPath() {
    return "/tmp/kavo-generator-test-" + std::to_string(getpid()) + ".3ds";
}

TEST(GeneratorModelWriter, writesAFileTheModelPathLoadsAndRefusesTooManyPoints) {
    const std::string path = temporaryModelPath();
    ShipShape shape{"Probe", {0.05f, true}, tube(false), {}};
    ASSERT_TRUE(writeShipModel(shape, path));
    Lib3dsFile* model = loadModelFile(path.c_str());
    ASSERT_NE(model, nullptr);
    Lib3dsMesh* mesh = firstNodeMesh(model);
    ASSERT_NE(mesh, nullptr);
    EXPECT_STREQ(mesh->name, "Probe");
    EXPECT_EQ(mesh->faces, shape.mesh.triangles().size());
    EXPECT_EQ(mesh->points, mesh->faces * 3);
    lib3ds_file_free(model);
    std::remove(path.c_str());

    // A face's points are 16-bit indices: 21846 faces need 65538 points, which cannot be written
    // without indices wrapping round onto the wrong points.
    MeshBuilder big;
    big.beginPart(Surface::Hull);
    for (int i = 0; i < 21846; ++i)
        big.addTriangle({float(i), 0, 0}, {float(i) + 1, 0, 0}, {float(i), 1, 0});
    big.endPart();
    ShipShape tooBig{"Big", {1.0f, false}, big, {}};
    EXPECT_FALSE(writeShipModel(tooBig, path));
    std::remove(path.c_str());
}

} // namespace
