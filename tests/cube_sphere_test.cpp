#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "math/camera.h"
#include "scene/cube_object.h"
#include "scene/sphere_object.h"
#include "support/gl_test.h"

namespace {

const unsigned char kRed[3] = {255, 0, 0};
const unsigned char kGreen[3] = {0, 255, 0};
const unsigned char kBlue[3] = {0, 0, 255};
const unsigned char kYellow[3] = {255, 255, 0};

void expectColour(const Rgb& pixel, const unsigned char expected[3]) {
    EXPECT_NEAR(pixel.r, expected[0], 2);
    EXPECT_NEAR(pixel.g, expected[1], 2);
    EXPECT_NEAR(pixel.b, expected[2], 2);
}

int countLitPixels() {
    const int width = surfaceWidth();
    const int height = surfaceHeight();
    std::vector<unsigned char> pixels(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] || pixels[i + 1] || pixels[i + 2])
            ++lit;
    return lit;
}

// Draws the way a frame does: the render state the program sets up, the camera's view per object.
class CubeSphereTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        camera = Camera();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
    }
    void TearDown() override {
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_COLOR_MATERIAL);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (textureName)
            glDeleteTextures(1, &textureName);
        if (listName)
            glDeleteLists(listName, 1);
        glLoadIdentity();
        camera = Camera();
    }
    // A 2 x 2 texture, rows bottom-up: red, green / blue, yellow. Nearest filtering keeps the
    // quadrants sharp and needs no mipmaps.
    GLuint makeQuadrantTexture() { return makeTexture({kRed, kGreen, kBlue, kYellow}); }
    GLuint makeTexture(std::vector<const unsigned char*> texels) {
        unsigned char rgb[12];
        for (int i = 0; i < 4; ++i)
            for (int c = 0; c < 3; ++c)
                rgb[i * 3 + c] = texels[i][c];
        glGenTextures(1, &textureName);
        glBindTexture(GL_TEXTURE_2D, textureName);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        return textureName;
    }
    void drawFrame(SceneObject& object) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera.applyLookAt();
        object.draw();
    }
    GLuint textureName = 0;
    GLuint listName = 0;
};

} // namespace

TEST_F(CubeSphereTest, CrateFacingTheCameraShowsTheWholeTextureUpright) {
    CubeObject crate;
    EXPECT_EQ(crate.displayList, 0u);
    crate.buildDisplayList();
    listName = crate.displayList;
    ASSERT_NE(listName, 0u);
    crate.texture = makeQuadrantTexture();
    crate.position = Vec3(0.0f, 0.0f, -5.0f);
    drawFrame(crate);

    // The front face spans about 230 pixels each way from the centre (512, 384).
    expectColour(readPixel(412, 284), kRed);
    expectColour(readPixel(612, 284), kGreen);
    expectColour(readPixel(412, 484), kBlue);
    expectColour(readPixel(612, 484), kYellow);
    const Rgb outside = readPixel(100, 100);
    EXPECT_EQ(outside.r + outside.g + outside.b, 0);

    // A crate whose texture failed to load is drawn white by its list, whatever the colour was.
    CubeObject plain;
    plain.displayList = crate.displayList;
    plain.position = crate.position;
    glColor3ub(40, 50, 60);
    drawFrame(plain);
    const unsigned char white[3] = {255, 255, 255};
    expectColour(readPixel(512, 384), white);
}

TEST_F(CubeSphereTest, TurnedCrateShowsThreeTexturedFaces) {
    CubeObject crate;
    crate.buildDisplayList();
    listName = crate.displayList;
    crate.texture = makeQuadrantTexture();
    crate.position = Vec3(0.0f, 0.0f, -6.0f);
    crate.turnInput = Vec3(25.0f, 35.0f, 0.0f);
    crate.applyTurn();
    drawFrame(crate);
    std::string saved = saveFrame("turned-crate");
    SCOPED_TRACE(saved);

    // Tilted and turned so that the top, front and left faces meet in the corner nearest the eye.
    EXPECT_GT(countLitPixels(), 50000);
    const Rgb centre = readPixel(512, 384);
    EXPECT_GT(centre.r + centre.g + centre.b, 200);
    const Rgb corner = readPixel(5, 5);
    EXPECT_EQ(corner.r + corner.g + corner.b, 0);
}

TEST_F(CubeSphereTest, CrateSeenFromInsideDrawsNothing) {
    CubeObject crate;
    crate.buildDisplayList();
    listName = crate.displayList;
    crate.texture = makeQuadrantTexture();
    drawFrame(crate);
    EXPECT_EQ(countLitPixels(), 0);

    // Only the culling hides it: the faces are there.
    glDisable(GL_CULL_FACE);
    drawFrame(crate);
    EXPECT_GT(countLitPixels(), 0);
}

TEST_F(CubeSphereTest, BackgroundSphereIsSeenFromInsideAroundTheEye) {
    SphereObject background;
    background.radius = 50.0f;
    background.texture = makeTexture({kGreen, kGreen, kGreen, kGreen});
    camera.eye = Vec3(300.0f, -20.0f, 7.0f);
    background.update(0.25f);
    EXPECT_EQ(background.position.x, camera.eye.x);
    EXPECT_EQ(background.position.y, camera.eye.y);
    EXPECT_EQ(background.position.z, camera.eye.z);

    glColor3ub(255, 0, 0); // what an untextured sphere would show
    drawFrame(background);
    expectColour(readPixel(512, 384), kGreen);
    expectColour(readPixel(10, 10), kGreen);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));

    // Looking straight up the sphere's axis at a pole.
    camera.direction = Vec3(0.0f, 0.0f, 1.0f);
    drawFrame(background);
    expectColour(readPixel(512, 384), kGreen);
}
