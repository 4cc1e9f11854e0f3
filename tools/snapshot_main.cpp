// kavo-snapshot: photographs the generated ships and the crate without a window, through the
// program's own model, texture and drawing code, so that a person can see what a player will see.
// For each ship it writes one sheet: from the side, from above, from the front (these three with
// the engine-trail and muzzle points marked), from the follow camera's place, and three-quarter
// from behind; then a sheet of the crate and one picture of all three ships for the README.
//
//   kavo-snapshot <data folder> <output folder>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/offscreen_context.h"
#include "scene/cube_object.h"
#include "scene/model_object.h"
#include "scene/sphere_object.h"

namespace {

constexpr int kTileWidth = 400;
constexpr int kTileHeight = 300;
constexpr int kSurfaceWidth = kTileWidth * 3;
constexpr int kSurfaceHeight = kTileHeight * 2;

// A point of a ship given in its own axes: x right, y up, z along the nose.
struct Mount {
    Vec3 offset;
    float r, g, b; // marker colour
};

struct ShipKind {
    const char* title;
    const char* modelFile;
    const char* textureFile;
    float modelScale;
    bool turnAboutZ;
    float cameraScale; // the follow camera's distance scale for this kind
    float length;      // roughly, to frame the pictures
    std::vector<Mount> mounts;
    bool carriesCrate;
};

// The places the world puts the engine trails (yellow; reverse outlets cyan) and the guns'
// muzzles (magenta), and the transport's crate.
const Vec3 kCargoOffset{0.0f, -0.4f, -1.0f};

std::vector<ShipKind> shipKinds() {
    const float y[3] = {1, 1, 0}, c[3] = {0, 1, 1}, m[3] = {1, 0, 1};
    auto mount = [](float x, float yy, float z, const float* colour) {
        return Mount{{x, yy, z}, colour[0], colour[1], colour[2]};
    };
    return {
        {"ship",
         "ship.3ds",
         "ship_tex.bmp",
         0.01f,
         true,
         1.0f,
         1.6f,
         {mount(-0.1f, 0, -0.6f, y), mount(0.1f, 0, -0.6f, y), mount(-0.9f, -0.09f, 0, m),
          mount(0.9f, -0.09f, 0, m)},
         false},
        {"transport",
         "transp.3ds",
         "ship_tex.bmp",
         0.07f,
         false,
         3.0f,
         6.0f,
         {mount(-1.95f, -0.17f, -2.55f, y), mount(1.95f, -0.17f, -2.55f, y),
          mount(-1.95f, -0.17f, -1.0f, c), mount(1.95f, -0.17f, -1.0f, c)},
         true},
        {"enemy",
         "enemy.3ds",
         "enemy_tex.bmp",
         0.05f,
         true,
         2.0f,
         3.0f,
         {mount(-0.45f, 0.52f, -1.5f, y), mount(0.45f, 0.52f, -1.5f, y),
          mount(-0.1f, 0.7f, -0.4f, m), mount(0.1f, 0.7f, -0.4f, m)},
         false},
    };
}

struct View {
    Vec3 eye, centre, up;
    bool markers;
};

Vec3 inShipAxes(const SceneObject& ship, const Vec3& offset) {
    return ship.position + ship.right * offset.x + ship.up * offset.y + ship.forward * offset.z;
}

void setUpState() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
}

void beginTile(int column, int row, const View& view) {
    const int x = column * kTileWidth;
    const int y = kSurfaceHeight - (row + 1) * kTileHeight;
    glViewport(x, y, kTileWidth, kTileHeight);
    glScissor(x, y, kTileWidth, kTileHeight);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.08f, 0.09f, 0.12f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(kTileWidth) / kTileHeight, 0.1, 1500000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.centre.x, view.centre.y, view.centre.z,
              view.up.x, view.up.y, view.up.z);
}

void loadView(const View& view) {
    glLoadIdentity();
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.centre.x, view.centre.y, view.centre.z,
              view.up.x, view.up.y, view.up.z);
}

// Bright dots on top of everything, where the program starts trails and shots.
void drawMarkers(const SceneObject& ship, const ShipKind& kind) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glPointSize(7.0f);
    glBegin(GL_POINTS);
    for (const Mount& mount : kind.mounts) {
        glColor3f(mount.r, mount.g, mount.b);
        const Vec3 p = inShipAxes(ship, mount.offset);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
}

std::vector<View> shipViews(const ShipKind& kind) {
    const float d = kind.length * 1.9f;
    const float s = kind.cameraScale;
    const Vec3 origin{0, 0, 0};
    return {
        {{d, 0, 0}, origin, {0, 1, 0}, true},                         // from the right
        {{0, d, 0.001f}, origin, {0, 0, -1}, true},                   // from above, nose up
        {{0, 0, -d}, origin, {0, 1, 0}, true},                        // from the front
        {{0, s, 4 * s}, {0, s, 4 * s - 1}, {0, 1, 0}, false},         // the follow camera
        {{d * 0.55f, d * 0.4f, d * 0.75f}, origin, {0, 1, 0}, false}, // behind, above, right
        {{-d * 0.6f, d * 0.3f, -d * 0.7f}, origin, {0, 1, 0}, false}, // ahead, above, left
    };
}

ShipObject* loadShip(const std::string& data, const ShipKind& kind) {
    float transform[16];
    makeModelTransform(kind.modelScale, kind.turnAboutZ, transform);
    auto* ship = new ShipObject((data + kind.modelFile).c_str(), transform, false);
    ship->buildDisplayList();
    ship->loadTexture((data + kind.textureFile).c_str());
    return ship;
}

void drawShipScene(ShipObject& ship, const ShipKind& kind, CubeObject& crate, const View& view) {
    ship.draw();
    if (kind.carriesCrate) {
        loadView(view);
        crate.position = inShipAxes(ship, kCargoOffset);
        crate.draw();
    }
    loadView(view);
    if (view.markers)
        drawMarkers(ship, kind);
}

// Writes the rectangle as PNG (through a PPM and ImageMagick); returns false when that failed.
bool savePicture(const std::string& path, int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(std::size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const std::string ppm = path + ".ppm";
    std::FILE* file = std::fopen(ppm.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row) // GL rows run bottom-up, PPM rows top-down
        std::fwrite(&pixels[std::size_t(row) * width * 3], 1, std::size_t(width) * 3, file);
    std::fclose(file);
    const std::string command = "convert '" + ppm + "' '" + path + "' && rm -f '" + ppm + "'";
    return std::system(command.c_str()) == 0;
}

bool photographShip(const std::string& data, const std::string& out, const ShipKind& kind,
                    CubeObject& crate) {
    ShipObject* ship = loadShip(data, kind);
    const std::vector<View> views = shipViews(kind);
    for (std::size_t i = 0; i < views.size(); ++i) {
        beginTile(int(i % 3), int(i / 3), views[i]);
        drawShipScene(*ship, kind, crate, views[i]);
    }
    const bool saved = savePicture(out + kind.title + ".png", 0, 0, kSurfaceWidth, kSurfaceHeight);
    delete ship;
    return saved;
}

bool photographCrate(const std::string& out, CubeObject& crate) {
    const View views[2] = {{{3.2f, 2.6f, 4.2f}, {0, 0, 0}, {0, 1, 0}, false},
                           {{-4.0f, -2.0f, -3.5f}, {0, 0, 0}, {0, 1, 0}, false}};
    crate.position = Vec3(0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        beginTile(i, 0, views[i]);
        crate.draw();
    }
    return savePicture(out + "crate.png", 0, kTileHeight, kTileWidth * 2, kTileHeight);
}

// The three ships side by side in front of the star field, for the README.
bool photographLineUp(const std::string& data, const std::string& out, CubeObject& crate) {
    SphereObject sky;
    sky.loadTexture((data + "bckgr.bmp").c_str());
    sky.radius = 10000.0f;
    const std::vector<ShipKind> kinds = shipKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const ShipKind& kind = kinds[i];
        const float d = kind.length * 1.5f;
        const View view{{d * 0.62f, d * 0.42f, d * 0.62f}, {0, -0.05f * d, 0}, {0, 1, 0}, false};
        ShipObject* ship = loadShip(data, kind);
        beginTile(int(i), 0, view);
        sky.position = view.eye;
        sky.draw();
        loadView(view);
        drawShipScene(*ship, kind, crate, view);
        delete ship;
    }
    return savePicture(out + "ships.png", 0, kTileHeight, kSurfaceWidth, kTileHeight);
}

std::string asFolder(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kavo-snapshot <data folder> <output folder>\n");
        return 2;
    }
    const std::string data = asFolder(argv[1]);
    const std::string out = asFolder(argv[2]);
    if (!platform::createOffscreenContext(kSurfaceWidth, kSurfaceHeight)) {
        std::fprintf(stderr, "kavo-snapshot: no offscreen OpenGL context\n");
        return 1;
    }
    setUpState();
    bool ok = true;
    {
        CubeObject crate;
        crate.buildDisplayList();
        crate.loadTexture((data + "tzlogo.bmp").c_str());
        for (const ShipKind& kind : shipKinds())
            ok = photographShip(data, out, kind, crate) && ok;
        ok = photographCrate(out, crate) && ok;
        ok = photographLineUp(data, out, crate) && ok;
    }
    platform::destroyOffscreenContext();
    if (ok)
        std::printf("kavo-snapshot: pictures written to %s\n", out.c_str());
    return ok ? 0 : 1;
}
