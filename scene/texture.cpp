#include "scene/texture.h"

#include <GL/gl.h>

#include "scene/bmp_image.h"

namespace {

// The image rows are tightly packed; with OpenGL's default alignment of 4 a row of 3 x width
// bytes that is not a multiple of 4 would upload skewed and read past the buffer. The caller's
// alignment is put back afterwards.
void uploadPackedRgb(const RgbImage& image) {
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.data);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

} // namespace

bool loadBmpTexture(const char* fileName, unsigned int& textureName) {
    RgbImage* image = loadDibImage(fileName);
    if (!image)
        return false;
    GLuint name = 0;
    glGenTextures(1, &name);
    textureName = name;
    glBindTexture(GL_TEXTURE_2D, name);
    uploadPackedRgb(*image);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    freeRgbImage(image);
    return true;
}
