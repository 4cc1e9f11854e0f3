#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "effects/effect_object.h"
#include "effects/engine_trail.h"
#include "math/camera.h"
#include "support/effect_test_support.h"
#include "support/gl_test.h"

namespace {

Particle* newParticle(float life) {
    auto* p = new Particle;
    p->life = life;
    return p;
}

// Links are checked both ways: a stale prev pointer only shows when walking backwards.
void expectLinks(const EffectObject& effect, const std::vector<float>& lives) {
    std::vector<const Particle*> list = particleList(effect);
    ASSERT_EQ(list.size(), lives.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->life, lives[i]);
        EXPECT_EQ(list[i]->prev, i == 0 ? nullptr : list[i - 1]);
    }
}

} // namespace

TEST(ParticleList, RemovesAtHeadMiddleAndTailKeepingLinksBothWays) {
    EffectObject effect;
    for (float life : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f})
        effect.appendParticle(newParticle(life));
    expectLinks(effect, {1, 2, 3, 4, 5});

    Particle* third = effect.particles->next->next;
    Particle* following = effect.removeParticle(third);
    ASSERT_NE(following, nullptr);
    EXPECT_EQ(following->life, 4.0f);
    expectLinks(effect, {1, 2, 4, 5});

    following = effect.removeParticle(effect.particles);
    EXPECT_EQ(following, effect.particles);
    expectLinks(effect, {2, 4, 5});

    Particle* tail = effect.particles->next->next;
    EXPECT_EQ(effect.removeParticle(tail), nullptr);
    expectLinks(effect, {2, 4});
    EXPECT_EQ(effect.particles->next->next, nullptr);

    effect.removeParticle(effect.particles);
    EXPECT_EQ(effect.removeParticle(effect.particles), nullptr);
    EXPECT_EQ(effect.particles, nullptr);

    // A particle appended to a list that was emptied starts a fresh list.
    effect.appendParticle(newParticle(7.0f));
    expectLinks(effect, {7});
}

// Effects are destroyed through the base at shutdown; the leak checker sees anything left over.
TEST(ParticleList, EffectDestroyedThroughBaseFreesItsParticles) {
    EffectObject* effect = new EngineTrail;
    for (int i = 0; i < 3; ++i)
        effect->appendParticle(newParticle(1.0f));
    delete effect;
}

namespace {

class ParticleDrawTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        camera = Camera();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDepthMask(GL_TRUE);
    }
    void TearDown() override {
        camera = Camera();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (glowTexture)
            glDeleteTextures(1, &glowTexture);
    }

    // A soft round glow, bright in the middle and black at the edges, as the game's particle
    // texture is: with additive blending black adds nothing.
    unsigned int makeGlowTexture() {
        const int side = 64;
        std::vector<unsigned char> texels(side * side * 3);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                float dx = (x + 0.5f - side / 2.0f) / (side / 2.0f);
                float dy = (y + 0.5f - side / 2.0f) / (side / 2.0f);
                float glow = std::fmax(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
                for (int c = 0; c < 3; ++c)
                    texels[(y * side + x) * 3 + c] = static_cast<unsigned char>(glow * 255.0f);
            }
        glGenTextures(1, &glowTexture);
        glBindTexture(GL_TEXTURE_2D, glowTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return glowTexture;
    }

    static Particle* particleAt(Vec3 position, float size, float life) {
        auto* p = new Particle;
        p->position = position;
        p->size = size;
        p->life = life;
        p->color[0] = 1.0f;
        p->color[1] = 0.5f;
        p->color[2] = 0.25f;
        return p;
    }

    static int brightness(Rgb pixel) { return pixel.r + pixel.g + pixel.b; }

    unsigned int glowTexture = 0;
};

bool isEnabled(GLenum capability) {
    return glIsEnabled(capability) == GL_TRUE;
}

bool depthWritesOn() {
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    return mask == GL_TRUE;
}

} // namespace

TEST_F(ParticleDrawTest, SwitchedOffEffectLeavesGlStateAsItFoundIt) {
    EffectObject effect;
    effect.appendParticle(particleAt({0, 0, -10}, 1.0f, 1.0f));
    effect.active = false;

    const float marker[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 5, 6, 7, 1};
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(marker);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);

    effect.draw();

    float after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(after[i], marker[i]) << "modelview element " << i;
    EXPECT_TRUE(isEnabled(GL_BLEND));
    EXPECT_FALSE(depthWritesOn());
    EXPECT_FALSE(isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(brightness(readPixel(surfaceWidth() / 2, surfaceHeight() / 2)), 0);
}

TEST_F(ParticleDrawTest, EmptyEffectStillSetsViewAndRestoresDepthWritesAndBlending) {
    EffectObject effect;
    effect.texture = makeGlowTexture();
    camera.eye = Vec3(1.0f, 2.0f, 3.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(5.0f, 5.0f, 5.0f);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);

    effect.draw();

    // The camera looks down -Z from (1, 2, 3): the view is a plain translation by -eye.
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    EXPECT_FLOAT_EQ(view[0], 1.0f);
    EXPECT_FLOAT_EQ(view[12], -1.0f);
    EXPECT_FLOAT_EQ(view[13], -2.0f);
    EXPECT_FLOAT_EQ(view[14], -3.0f);
    EXPECT_TRUE(depthWritesOn());
    EXPECT_FALSE(isEnabled(GL_BLEND));
    EXPECT_TRUE(isEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), effect.texture);
}

TEST_F(ParticleDrawTest, ParticlesWithoutLifeAreNotDrawn) {
    EffectObject effect;
    // Untextured squares, big enough to cover many pixels each if they were drawn.
    effect.appendParticle(particleAt({-3, 0, -10}, 1.0f, 0.0f));
    effect.appendParticle(particleAt({0, 0, -10}, 1.0f, -0.5f));
    effect.appendParticle(particleAt({3, 0, -10}, 1.0f, std::numeric_limits<float>::quiet_NaN()));
    effect.draw();
    int cx = surfaceWidth() / 2, cy = surfaceHeight() / 2;
    int step = static_cast<int>(3.0 / (10.0 * std::tan(22.5 * M_PI / 180.0)) * cy);
    for (int x : {cx - step, cx, cx + step})
        EXPECT_EQ(brightness(readPixel(x, cy)), 0) << "at x " << x;

    // The same square with a little life shows.
    effect.particles->life = 1.0f;
    effect.draw();
    EXPECT_GT(readPixel(cx - step, cy).r, 200);
}

// Seen from a camera looking along +X, a square in any fixed plane but the billboard's would be
// edge-on or skewed; the billboard shows as an upright square of side 2 x size, and culling of
// back faces (on in the program) keeps it.
TEST_F(ParticleDrawTest, UntexturedBillboardIsAnUprightSquareFacingTheCamera) {
    camera.direction = Vec3(1, 0, 0);
    camera.up = Vec3(0, 1, 0);
    camera.right = camera.direction.cross(camera.up);
    glEnable(GL_CULL_FACE);
    EffectObject effect;
    effect.appendParticle(particleAt({10, 0, 0}, 1.0f, 1.0f));
    effect.draw();

    int cx = surfaceWidth() / 2, cy = surfaceHeight() / 2;
    // Half side on screen: 1 unit at distance 10 with a 45 degree vertical field of view.
    double half = 1.0 / (10.0 * std::tan(22.5 * M_PI / 180.0)) * cy;
    int inside = static_cast<int>(half) - 3, outside = static_cast<int>(half) + 3;
    Rgb centre = readPixel(cx, cy);
    EXPECT_EQ(centre.r, 255);
    EXPECT_NEAR(centre.g, 128, 2);
    EXPECT_NEAR(centre.b, 64, 2);
    for (auto [dx, dy] :
         {std::pair{inside, inside}, {-inside, inside}, {inside, -inside}, {-inside, -inside}})
        EXPECT_EQ(readPixel(cx + dx, cy + dy).r, 255) << dx << "," << dy;
    for (auto [dx, dy] : {std::pair{outside, 0}, {-outside, 0}, {0, outside}, {0, -outside}})
        EXPECT_EQ(brightness(readPixel(cx + dx, cy + dy)), 0) << dx << "," << dy;
}

TEST_F(ParticleDrawTest, GlowAddsToWhatIsBehindIt) {
    // A lit grey panel over the left half of the view, at the particle's depth.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.3f, 0.3f, 0.3f);
    glBegin(GL_QUADS);
    glVertex3f(-20, -20, -10);
    glVertex3f(0, -20, -10);
    glVertex3f(0, 20, -10);
    glVertex3f(-20, 20, -10);
    glEnd();

    EffectObject effect;
    effect.texture = makeGlowTexture();
    effect.appendParticle(particleAt({0, 0, -10}, 2.0f, 1.0f));
    effect.draw();
    saveFrame("particle-glow");

    int cx = surfaceWidth() / 2, cy = surfaceHeight() / 2;
    int offset = 40;
    Rgb background = readPixel(cx - 300, cy);
    Rgb overPanel = readPixel(cx - offset, cy);
    Rgb overBlack = readPixel(cx + offset, cy);
    Rgb centre = readPixel(cx, cy - 2);
    // Brightest in the middle, tinted by the particle's colour.
    EXPECT_GT(centre.r, 200);
    EXPECT_GT(centre.r, centre.g);
    EXPECT_GT(centre.g, centre.b);
    // The glow adds to the panel: brighter than the bare panel and than the same glow over black.
    EXPECT_GT(brightness(overPanel), brightness(background));
    EXPECT_GT(brightness(overPanel), brightness(overBlack));
    EXPECT_GT(brightness(overBlack), 0);
    // The black corners of the texture add nothing: inside the square but outside the glow the
    // panel looks as it does elsewhere.
    Rgb squareCorner = readPixel(cx - 170, cy + 170);
    EXPECT_NEAR(squareCorner.r, background.r, 1);
    EXPECT_NEAR(background.r, 77, 2);
}

TEST_F(ParticleDrawTest, HiddenBehindSolidsButWritesNoDepthOfItsOwn) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    // An opaque wall nearer than the particle covering the upper half of the view.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(-10, 0, -5);
    glVertex3f(10, 0, -5);
    glVertex3f(10, 10, -5);
    glVertex3f(-10, 10, -5);
    glEnd();

    EffectObject effect;
    effect.appendParticle(particleAt({0, 0, -10}, 1.0f, 1.0f));
    effect.appendParticle(particleAt({0, 0, -20}, 1.0f, 1.0f)); // farther, drawn second
    effect.draw();
    EXPECT_TRUE(depthWritesOn());

    int cx = surfaceWidth() / 2, cy = surfaceHeight() / 2;
    Rgb below = readPixel(cx, cy - 20);
    Rgb above = readPixel(cx, cy + 20);
    EXPECT_EQ(above.r, 0) << "a particle showed through the wall";
    EXPECT_EQ(above.b, 255);
    // Both squares add up in the lower half: the near one did not hide the far one.
    EXPECT_EQ(below.r, 255);
    EXPECT_GE(below.g, 250);
    float depth = 0.0f;
    glReadPixels(cx, cy - 20, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
}
