#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/display_settings.h"

namespace {

// Each test runs in a fresh temporary folder, since the file is always "res.cfg" in the working
// directory.
class AppDisplaySettings : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(previousDirectory, sizeof previousDirectory), nullptr);
        char pattern[] = "/tmp/kavo-res-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        ASSERT_EQ(chdir(directory.c_str()), 0);
        displaySettings = DisplaySettings{};
    }
    void TearDown() override {
        std::remove("res.cfg");
        EXPECT_EQ(chdir(previousDirectory), 0);
        rmdir(directory.c_str());
        displaySettings = DisplaySettings{};
    }
    static void writeFile(const std::string& text) {
        std::ofstream("res.cfg", std::ios::binary) << text;
    }
    static std::string readFile() {
        std::ifstream file("res.cfg", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static void expectSwitches(int vertexBuffers, int samples, int background) {
        EXPECT_EQ(displaySettings.useVertexBuffers, vertexBuffers);
        EXPECT_EQ(displaySettings.multisampleSamples, samples);
        EXPECT_EQ(displaySettings.showBackground, background);
    }
    static void expectMode(unsigned width, unsigned height, unsigned bits, unsigned refresh) {
        EXPECT_EQ(displaySettings.width, width);
        EXPECT_EQ(displaySettings.height, height);
        EXPECT_EQ(displaySettings.bitsPerPixel, bits);
        EXPECT_EQ(displaySettings.refreshRate, refresh);
        EXPECT_EQ(displayMode.width, width);
        EXPECT_EQ(displayMode.height, height);
        EXPECT_EQ(displayMode.bitsPerPixel, bits);
        EXPECT_EQ(displayMode.refreshRate, refresh);
    }

    char previousDirectory[PATH_MAX] = {};
    std::string directory;
};

const char* const kDefaultFile =
    "1024 768 32 \t// resolution, bitrate\n"
    "85 \t\t// refresh rate\n"
    "1 \t\t// vertex buffer; 0 - off, 1 - on\n"
    "2 \t\t// multisampling; 0 - off, 2,4,8,16,... - number of samples\n"
    "1 \t\t// background, 0 - off, 1 - on\n";

} // namespace

TEST_F(AppDisplaySettings, MissingFileIsWrittenWithTheDefaultsAndReadBack) {
    readDisplaySettings();
    EXPECT_EQ(readFile(), kDefaultFile);
    expectMode(1024, 768, 32, 85);
    expectSwitches(1, 2, 1);
    displaySettings = DisplaySettings{};
    readDisplaySettings();
    EXPECT_EQ(readFile(), kDefaultFile);
    expectMode(1024, 768, 32, 85);
    expectSwitches(1, 2, 1);
}

TEST_F(AppDisplaySettings, BareNumbersWithoutComments) {
    writeFile("800 600 16\n60\n0\n4\n0\n");
    readDisplaySettings();
    expectMode(800, 600, 16, 60);
    expectSwitches(0, 4, 0);
}

TEST_F(AppDisplaySettings, ShortFileKeepsTheSwitchesAndResetsTheMode) {
    writeFile("800 600 16\n60\n");
    readDisplaySettings();
    expectMode(800, 600, 16, 60);
    expectSwitches(0, 0, 1);
    // A later read keeps the switches it cannot read, but starts the mode from the defaults.
    writeFile("640 480 24 // mode\n1\n8\n0\n");
    readDisplaySettings();
    expectMode(640, 480, 24, 1);
    expectSwitches(8, 0, 1);
    writeFile("");
    readDisplaySettings();
    expectMode(1024, 768, 32, 85);
    expectSwitches(8, 0, 1);
}

TEST_F(AppDisplaySettings, UnreadableValueKeepsItsFieldAndTheNextLineIsStillRead) {
    writeFile("800 600 16 // mode\n75 // rate\non // vertex buffer\n4 // samples\n0 // bg\n");
    readDisplaySettings();
    expectMode(800, 600, 16, 75);
    expectSwitches(0, 4, 0);
    // A bad height leaves the rest of line 1 at its defaults too.
    writeFile("800 tall 16\n60\n");
    readDisplaySettings();
    expectMode(800, 768, 32, 60);
    // Negative numbers in the mode turn into huge ones, which the display will refuse.
    writeFile("-800 600 16\n60\n");
    readDisplaySettings();
    EXPECT_EQ(displaySettings.width, 4294966496u);
}

TEST_F(AppDisplaySettings, OverlongCommentShiftsTheLaterValuesByOneLine) {
    writeFile("800 600 16 //" + std::string(300, 'x') + "\n60\n1\n4\n0\n");
    readDisplaySettings();
    // The comment's tail is where the refresh rate is looked for; each later value comes from the
    // line before its own.
    expectMode(800, 600, 16, 85);
    expectSwitches(60, 1, 4);
}

TEST_F(AppDisplaySettings, DamagedFilesNeverStopTheRead) {
    // Binary bytes and a file cut short in the middle of a number read what they can.
    writeFile(std::string("800 600\0\xff\xfe\n60\n\x01\x02", 14));
    readDisplaySettings();
    expectMode(800, 600, 32, 60);
    expectSwitches(0, 0, 1);
    writeFile("");
    readDisplaySettings();
    expectMode(1024, 768, 32, 85);
    expectSwitches(0, 0, 1);
    std::remove("res.cfg");

    // A folder in the file's place opens but reads nothing, and is not overwritten.
    ASSERT_EQ(mkdir("res.cfg", 0755), 0);
    readDisplaySettings();
    expectMode(1024, 768, 32, 85);
    expectSwitches(0, 0, 1);
    EXPECT_EQ(rmdir("res.cfg"), 0);
}

TEST_F(AppDisplaySettings, UnwritableFolderStillStartsWithTheDefaults) {
    // Nobody, not even root, can create a file in /proc.
    ASSERT_EQ(chdir("/proc"), 0);
    readDisplaySettings();
    EXPECT_NE(access("res.cfg", F_OK), 0);
    expectMode(1024, 768, 32, 85);
    expectSwitches(1, 2, 1);
}
