// Ships: what an unreadable model leaves, the geometry both drawing paths build and the pixels
// they draw, and the cargo a ship carries.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/app_window.h"
#include "platform/display.h"
#include "scene/model_loader.h"
#include "scene/model_object.h"
#include "support/gl_test.h"
#include "support/model_files.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const char* const kMissingModel = "/nonexistent/ship.3ds";
constexpr float kPi = 3.14159265358979f;

using Matrix = std::vector<float>;

Matrix product(const Matrix& a, const Matrix& b) {
    Matrix out(16, 0.0f);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                out[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return out;
}

// The rotations glRotatef makes about the unit axes.
Matrix rotation(int axis, float degrees) {
    const float c = std::cos(degrees * kPi / 180.0f);
    const float s = std::sin(degrees * kPi / 180.0f);
    Matrix m(kIdentity, kIdentity + 16);
    const int a = (axis + 1) % 3; // the two axes that turn, in right-handed order
    const int b = (axis + 2) % 3;
    m[a * 4 + a] = c;
    m[a * 4 + b] = s;
    m[b * 4 + a] = -s;
    m[b * 4 + b] = c;
    return m;
}

void expectMatrixNear(const float* actual, const Matrix& expected, const char* what) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-4f) << what << ", element " << i;
}

// A ship with no model, mass 20, carrying `cargo` at (0, -0.4, -1).
struct CarryingShip {
    ShipObject ship{kMissingModel, kIdentity, false};
    SceneObject cargo;
    CarryingShip() {
        ship.mass = 20.0f;
        ship.cargoOffset = Vec3(0.0f, -0.4f, -1.0f);
        ship.cargo = &cargo;
        ship.carryingCargo = true;
        cargo.carrier = &ship;
    }
    ~CarryingShip() { cargo.carrier = nullptr; }
};

} // namespace

TEST(ShipObject, UnreadableModelLeavesAnInvisibleShipThatStillFlies) {
    const float transform[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1};
    ShipObject ship(kMissingModel, transform, false);
    EXPECT_EQ(ship.model, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ship.modelTransform[i], transform[i]);
    EXPECT_FALSE(ship.useVertexBuffer);
    EXPECT_FALSE(ship.carryingCargo);
    EXPECT_EQ(ship.cargo, nullptr);
    EXPECT_EQ(ship.guns[0], nullptr);
    EXPECT_EQ(ship.guns[1], nullptr);
    EXPECT_EQ(ship.cargoOffset.x, 0.0f);
    EXPECT_EQ(ship.hudColor[0] + ship.hudColor[1] + ship.hudColor[2], 3.0f);
    // No geometry, and the vertex-buffer flag stays as it was.
    ship.buildDisplayList();
    ship.buildVertexBuffer();
    EXPECT_EQ(ship.displayList, 0u);
    EXPECT_EQ(ship.indexCount, 0u);
    EXPECT_EQ(ship.indices, nullptr);
    EXPECT_FALSE(ship.useVertexBuffer);
    EXPECT_TRUE(ShipObject(kMissingModel, kIdentity, true).useVertexBuffer);

    ship.enginePower = 5.0f;
    ship.update(1.0f);
    EXPECT_NEAR(ship.position.z, -5.0f, 1e-5f);
}

TEST(ShipCargo, RidesAtItsOffsetInTheShipsAxesBeforeTheShipMoves) {
    CarryingShip carrying;
    ShipObject& ship = carrying.ship;
    ship.position = Vec3(0.0f, 0.0f, -40.0f);
    ship.velocity = Vec3(0.0f, 0.0f, -10.0f);
    ship.update(0.1f);
    EXPECT_NEAR(carrying.cargo.position.x, 0.0f, 1e-5f);
    EXPECT_NEAR(carrying.cargo.position.y, -0.4f, 1e-5f);
    EXPECT_NEAR(carrying.cargo.position.z, -39.0f, 1e-5f);
    EXPECT_NEAR(ship.position.z, -41.0f, 1e-5f);

    // A ship whose last draw left it facing +X: x runs along right, z along forward.
    ship.forward = Vec3(1.0f, 0.0f, 0.0f);
    ship.right = Vec3(0.0f, 0.0f, 1.0f);
    ship.position = Vec3(10.0f, 20.0f, 30.0f);
    ship.velocity = Vec3(0.0f, 0.0f, 0.0f);
    ship.cargoOffset = Vec3(0.5f, -0.4f, -1.0f);
    ship.update(0.1f);
    EXPECT_NEAR(carrying.cargo.position.x, 9.0f, 1e-5f);
    EXPECT_NEAR(carrying.cargo.position.y, 19.6f, 1e-5f);
    EXPECT_NEAR(carrying.cargo.position.z, 30.5f, 1e-5f);
}

TEST(ShipCargo, TurnsByTheShipsAnglesWithPitchAndRollReversed) {
    for (int axis = 0; axis < 3; ++axis) {
        CarryingShip carrying;
        float* input[3] = {&carrying.ship.turnInput.x, &carrying.ship.turnInput.y,
                           &carrying.ship.turnInput.z};
        *input[axis] = 1.0f;
        carrying.ship.update(0.1f); // mass 20: one degree
        const float cargoDegrees = axis == 1 ? 1.0f : -1.0f;
        expectMatrixNear(carrying.ship.orientation, rotation(axis, 1.0f), "ship");
        expectMatrixNear(carrying.cargo.orientation, rotation(axis, cargoDegrees), "cargo");
        EXPECT_EQ(carrying.cargo.turnInput.x + carrying.cargo.turnInput.y +
                      carrying.cargo.turnInput.z,
                  0.0f);
    }

    // A cargo turned 180 degrees about up keeps that relation through any mix of turns.
    CarryingShip carrying;
    Matrix halfTurn = rotation(1, 180.0f);
    std::copy(halfTurn.begin(), halfTurn.end(), carrying.cargo.orientation);
    for (int tick = 0; tick < 20; ++tick) {
        carrying.ship.turnInput = Vec3(1.0f, tick % 3 == 0 ? 1.0f : -1.0f, tick % 2 ? 1.0f : 0.0f);
        carrying.ship.update(0.1f);
    }
    const Matrix ship(carrying.ship.orientation, carrying.ship.orientation + 16);
    expectMatrixNear(carrying.cargo.orientation, product(ship, halfTurn), "cargo after 20 turns");
}

TEST(ShipCargo, MasslessShipPlacesButNeverTurnsItsCargo) {
    for (float dt : {0.1f, 0.0f}) {
        CarryingShip carrying;
        carrying.ship.mass = 0.0f;
        carrying.ship.position = Vec3(0.0f, 0.0f, -40.0f);
        carrying.ship.turnInput = Vec3(1.0f, 1.0f, 1.0f);
        carrying.ship.update(dt);
        expectMatrixNear(carrying.cargo.orientation, Matrix(kIdentity, kIdentity + 16), "cargo");
        EXPECT_NEAR(carrying.cargo.position.z, -39.0f, 1e-5f);
        EXPECT_NEAR(carrying.ship.position.z, -40.0f, 1e-5f);
    }
}

TEST(ShipCargo, DestroyedCargoIsReleasedAndTheShipFliesOn) {
    CarryingShip carrying;
    SceneObject other;
    carrying.ship.releaseCargo(&other);
    carrying.ship.releaseCargo(nullptr);
    EXPECT_EQ(carrying.ship.cargo, &carrying.cargo);
    EXPECT_TRUE(carrying.ship.carryingCargo);

    auto* cargo = new SceneObject;
    cargo->carrier = &carrying.ship;
    carrying.ship.cargo = cargo;
    delete cargo;
    EXPECT_EQ(carrying.ship.cargo, nullptr);
    EXPECT_FALSE(carrying.ship.carryingCargo);
    carrying.ship.enginePower = 2.0f;
    carrying.ship.update(1.0f);
    EXPECT_NEAR(carrying.ship.position.z, -0.1f, 1e-5f);

    // A carrying flag without a cargo (left by a caller) must not be followed into nothing.
    carrying.ship.carryingCargo = true;
    carrying.ship.update(0.1f);
}

namespace {

// Draws ships in the offscreen context, with the vertex-buffer entry points the shell would fetch.
class ShipDrawing : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        savedSupport = vboSupported;
        savedGen = glGenBuffersARB;
        savedBind = glBindBufferARB;
        savedData = glBufferDataARB;
        glGenBuffersARB =
            reinterpret_cast<PFNGLGENBUFFERSARBPROC>(platform::getProcAddress("glGenBuffersARB"));
        glBindBufferARB =
            reinterpret_cast<PFNGLBINDBUFFERARBPROC>(platform::getProcAddress("glBindBufferARB"));
        glBufferDataARB =
            reinterpret_cast<PFNGLBUFFERDATAARBPROC>(platform::getProcAddress("glBufferDataARB"));
        ASSERT_NE(glGenBuffersARB, nullptr);
        ASSERT_NE(glBindBufferARB, nullptr);
        ASSERT_NE(glBufferDataARB, nullptr);
        vboSupported = true;
        glColor3f(1.0f, 1.0f, 1.0f);
    }

    void TearDown() override {
        // The last vertex-buffer draw leaves its buffer bound; other tests draw from client memory.
        if (glBindBufferARB)
            glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        glDisable(GL_TEXTURE_2D);
        vboSupported = savedSupport;
        glGenBuffersARB = savedGen;
        glBindBufferARB = savedBind;
        glBufferDataARB = savedData;
    }

    // A ship 10 units ahead of an eye at the origin, built along one of the two paths.
    ShipObject* makeShip(const std::string& file, bool vertexBuffers,
                         const float* transform = kIdentity) {
        auto* ship = new ShipObject(file.c_str(), transform, vertexBuffers);
        if (ship->useVertexBuffer)
            ship->buildVertexBuffer();
        else
            ship->buildDisplayList();
        ship->position = Vec3(0.0f, 0.0f, -10.0f);
        ships.emplace_back(ship);
        return ship;
    }

    std::vector<unsigned char> drawAlone(ShipObject& ship) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        ship.draw();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        std::vector<unsigned char> frame(std::size_t(surfaceWidth()) * surfaceHeight() * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, surfaceWidth(), surfaceHeight(), GL_RGB, GL_UNSIGNED_BYTE, frame.data());
        return frame;
    }

    static long litPixels(const std::vector<unsigned char>& frame) {
        long lit = 0;
        for (std::size_t i = 0; i < frame.size(); i += 3)
            lit += (frame[i] | frame[i + 1] | frame[i + 2]) != 0;
        return lit;
    }

    TempFolder folder;
    std::vector<std::unique_ptr<ShipObject>> ships;
    bool savedSupport = false;
    PFNGLGENBUFFERSARBPROC savedGen = nullptr;
    PFNGLBINDBUFFERARBPROC savedBind = nullptr;
    PFNGLBUFFERDATAARBPROC savedData = nullptr;
};

} // namespace

TEST_F(ShipDrawing, HundredFacesGiveThreeHundredIndicesAndTwoBuffers) {
    GridMesh grid;
    grid.columns = 10;
    grid.rows = 5;
    ShipObject* ship = makeShip(saveGridModel(grid, folder.path("grid.3ds")), true);
    ASSERT_NE(ship->model, nullptr);
    EXPECT_TRUE(ship->useVertexBuffer);
    ASSERT_EQ(ship->indexCount, 300u);
    const Lib3dsMesh* mesh = firstNodeMesh(ship->model);
    for (std::uint32_t i = 0; i < 300; ++i)
        ASSERT_EQ(ship->indices[i], mesh->faceL[i / 3].points[i % 3]) << i;

    auto bufferSize = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVARBPROC>(
        platform::getProcAddress("glGetBufferParameterivARB"));
    ASSERT_NE(bufferSize, nullptr);
    GLint bytes = 0;
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, ship->vertexBuffer);
    bufferSize(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &bytes);
    EXPECT_EQ(bytes, 66 * 12);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, ship->texCoordBuffer);
    bufferSize(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &bytes);
    EXPECT_EQ(bytes, 66 * 8);
}

TEST_F(ShipDrawing, DisplayListAndVertexBuffersDrawTheSamePixels) {
    // A checker texture, so that texture coordinates show in the pixels.
    std::vector<unsigned char> checker(16 * 16 * 3);
    for (int i = 0; i < 16 * 16; ++i)
        checker[i * 3] = checker[i * 3 + 1] = ((i % 16) / 4 + (i / 16) / 4) % 2 ? 255 : 40;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 16, 16, 0, GL_RGB, GL_UNSIGNED_BYTE, checker.data());

    GridMesh grid;
    grid.columns = 6;
    grid.rows = 4;
    const std::string file = saveGridModel(grid, folder.path("grid.3ds"));
    // Scaled by 1.5 and moved one unit right, in the file's coordinates.
    const float transform[16] = {1.5f, 0, 0, 0, 0, 1.5f, 0, 0, 0, 0, 1.5f, 0, 1, 0, 0, 1};
    ShipObject* listShip = makeShip(file, false, transform);
    ShipObject* bufferShip = makeShip(file, true, transform);
    vboSupported = false; // built without the extension: drawn from the model's own arrays
    ShipObject* arrayShip = makeShip(file, true, transform);
    EXPECT_TRUE(arrayShip->useVertexBuffer);
    EXPECT_EQ(arrayShip->vertexBuffer, 0u);
    for (ShipObject* ship : {listShip, bufferShip, arrayShip})
        ship->texture = texture;

    const std::vector<unsigned char> reference = drawAlone(*arrayShip);
    // The compiled list and the uploaded buffers no longer read the model's points.
    for (ShipObject* ship : {listShip, bufferShip}) {
        Lib3dsMesh* mesh = firstNodeMesh(ship->model);
        for (Lib3dsDword i = 0; i < mesh->points; ++i)
            mesh->pointL[i].pos[0] = mesh->pointL[i].pos[1] = 0.0f;
    }
    EXPECT_TRUE(drawAlone(*listShip) == reference);
    EXPECT_TRUE(drawAlone(*bufferShip) == reference);

    // The 3 x 3 grid seen 10 units away, moved right by the transform, both checker shades seen.
    long lit = 0;
    double sumX = 0.0;
    bool bright = false;
    bool dark = false;
    for (int y = 0; y < surfaceHeight(); ++y)
        for (int x = 0; x < surfaceWidth(); ++x) {
            const unsigned char* pixel = &reference[(std::size_t(y) * surfaceWidth() + x) * 3];
            if (pixel[0] == 0)
                continue;
            ++lit;
            sumX += x;
            bright = bright || pixel[0] == 255;
            dark = dark || pixel[0] == 40;
        }
    EXPECT_GT(lit, 20000);
    EXPECT_NEAR(sumX / double(lit), surfaceWidth() / 2 + 93, 10);
    EXPECT_TRUE(bright && dark);
    saveFrame("ship-paths");
    glDeleteTextures(1, &texture);
}

TEST_F(ShipDrawing, OnlyTheFirstNodesMeshIsDrawn) {
    // "Alpha" (right) comes first among the meshes; the first node names "Bravo" (left).
    Lib3dsFile* file = lib3ds_file_new();
    addGridMesh(file, GridMesh{"Alpha", 2.5f, 0, 2, 2, 1, 1});
    addGridMesh(file, GridMesh{"Bravo", -2.5f, 0, 2, 2, 1, 1});
    addObjectNode(file, "Bravo", 0);
    addObjectNode(file, "Delta", 1);
    const std::string path = saveModel(file, folder.path("two.3ds"));
    for (bool vertexBuffers : {false, true}) {
        drawAlone(*makeShip(path, vertexBuffers));
        const int middle = surfaceHeight() / 2;
        EXPECT_GT(readPixel(surfaceWidth() / 2 - 232, middle).r, 0) << vertexBuffers;
        EXPECT_EQ(readPixel(surfaceWidth() / 2 + 232, middle).r, 0) << vertexBuffers;
    }
}

TEST_F(ShipDrawing, UnreadableModelDrawsNothingOnEitherPath) {
    for (bool vertexBuffers : {false, true})
        EXPECT_EQ(litPixels(drawAlone(*makeShip(kMissingModel, vertexBuffers))), 0);
    vboSupported = false;
    EXPECT_EQ(litPixels(drawAlone(*makeShip(kMissingModel, true))), 0);
}
