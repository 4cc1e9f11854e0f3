// The reader against BMP Suite, a set of real files from outside: good files decode to the same
// pixels as ImageMagick gives, unusual and broken ones end in a picture or one message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scene/bmp_image.h"
#include "support/bitmap_files.h"
#include "support/gl_test.h"

namespace {

const char* const kUnknownFormat = "Unknown DIB file format.";
const char* const kConversionError = "Image file conversion error.";

struct Picture {
    int width = 0;
    int height = 0;
    Bytes rgb; // top row first, as in a PPM file
};

bool haveImageMagick() {
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

int readPpmNumber(std::FILE* pipe) {
    int c = std::fgetc(pipe);
    while (c == '#' || std::isspace(c)) {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = std::fgetc(pipe);
        c = std::fgetc(pipe);
    }
    int value = 0;
    while (std::isdigit(c)) {
        value = value * 10 + (c - '0');
        c = std::fgetc(pipe);
    }
    return value; // the one whitespace character after the number has been read
}

// ImageMagick's decoding, 8 bits per channel. False when it cannot decode the file.
bool decodeWithImageMagick(const std::string& path, Picture* picture) {
    std::string command = "convert '" + path + "' -depth 8 ppm:- 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    bool ok = std::fgetc(pipe) == 'P' && std::fgetc(pipe) == '6';
    if (ok) {
        picture->width = readPpmNumber(pipe);
        picture->height = readPpmNumber(pipe);
        ok = readPpmNumber(pipe) == 255 && picture->width > 0 && picture->height > 0;
    }
    if (ok) {
        picture->rgb.resize(std::size_t(picture->width) * picture->height * 3);
        ok = std::fread(picture->rgb.data(), 1, picture->rgb.size(), pipe) == picture->rgb.size();
    }
    return pclose(pipe) == 0 && ok;
}

std::vector<std::string> suiteFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(testdataPath("bmpsuite/" + folder)))
        if (entry.path().extension() == ".bmp")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Our rows are bottom-up; compares row by row and names the first pixel that differs.
void expectSamePicture(const RgbImage& ours, const Picture& reference, const std::string& name) {
    ASSERT_EQ(ours.width, reference.width) << name;
    ASSERT_EQ(ours.height, reference.height) << name;
    std::size_t rowBytes = std::size_t(ours.width) * 3;
    for (int row = 0; row < ours.height; ++row) {
        const unsigned char* mine = ours.data + std::size_t(row) * rowBytes;
        const unsigned char* theirs = &reference.rgb[std::size_t(ours.height - 1 - row) * rowBytes];
        auto mismatch = std::mismatch(mine, mine + rowBytes, theirs);
        if (mismatch.first != mine + rowBytes) {
            ADD_FAILURE() << name << ": first difference at x " << (mismatch.first - mine) / 3
                          << ", row " << row << " from the bottom";
            return;
        }
    }
}

struct Outcome {
    RgbImage* image = nullptr;
    std::vector<std::string> messages;
};

Outcome load(const std::string& path) {
    CapturedMessages captured;
    Outcome outcome;
    outcome.image = loadDibImage(path.c_str());
    outcome.messages = captured.texts;
    return outcome;
}

// Anything but a picture without messages or exactly one of the reader's messages is a fault.
void expectPictureOrOneMessage(const std::string& folder) {
    const std::set<std::string> known = {"Out of memory.", kUnknownFormat, kConversionError};
    for (const std::string& name : suiteFiles(folder)) {
        Outcome outcome = load(testdataPath("bmpsuite/" + folder + "/" + name));
        if (outcome.image) {
            EXPECT_TRUE(outcome.messages.empty()) << name;
            EXPECT_GT(outcome.image->width, 0) << name;
            EXPECT_GT(outcome.image->height, 0) << name;
            freeRgbImage(outcome.image);
        } else {
            ASSERT_EQ(outcome.messages.size(), 1u) << name;
            EXPECT_EQ(known.count(outcome.messages[0]), 1u) << name << ": " << outcome.messages[0];
        }
    }
}

} // namespace

TEST(BmpSuite, GoodFilesMatchImageMagickOrAreRefusedByDesign) {
    if (!haveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    // Headers of other sizes and bit-field masks are outside the formats we read.
    const std::map<std::string, std::string> refused = {
        {"pal8v4.bmp", kUnknownFormat},       {"pal8v5.bmp", kUnknownFormat},
        {"rgb16-565.bmp", kConversionError},  {"rgb16-565pal.bmp", kConversionError},
        {"rgb16bfdef.bmp", kConversionError}, {"rgb32bf.bmp", kConversionError},
        {"rgb32bfdef.bmp", kConversionError},
    };
    std::vector<std::string> files = suiteFiles("g");
    ASSERT_GE(files.size(), 20u);
    for (const std::string& name : files) {
        std::string path = testdataPath("bmpsuite/g/" + name);
        Outcome outcome = load(path);
        auto refusal = refused.find(name);
        if (refusal != refused.end()) {
            EXPECT_EQ(outcome.image, nullptr) << name;
            EXPECT_EQ(outcome.messages, std::vector<std::string>{refusal->second}) << name;
            freeRgbImage(outcome.image);
            continue;
        }
        ASSERT_NE(outcome.image, nullptr) << name;
        EXPECT_TRUE(outcome.messages.empty()) << name;
        Picture reference;
        if (decodeWithImageMagick(path, &reference))
            expectSamePicture(*outcome.image, reference, name);
        else
            ADD_FAILURE() << "ImageMagick could not decode " << name;
        freeRgbImage(outcome.image);
    }
}

TEST(BmpSuite, BadFilesGiveAPictureOrOneMessage) {
    expectPictureOrOneMessage("b");
    // Those that ask for more than the file holds must not come out as pictures.
    for (const char* name : {"reallybig.bmp", "shortfile.bmp", "badpalettesize.bmp", "badwidth.bmp",
                             "badbitcount.bmp", "rletopdown.bmp"}) {
        Outcome outcome = load(testdataPath(std::string("bmpsuite/b/") + name));
        EXPECT_EQ(outcome.image, nullptr) << name;
        EXPECT_EQ(outcome.messages, std::vector<std::string>{kConversionError}) << name;
        freeRgbImage(outcome.image);
    }
}

TEST(BmpSuite, QuestionableFilesGiveAPictureOrOneMessage) {
    expectPictureOrOneMessage("q");
}
