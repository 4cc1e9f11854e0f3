#include <gtest/gtest.h>

#include "app/extension_list.h"

TEST(AppExtensionList, MatchesWholeEntriesOnly) {
    const char* list = "GL_ARB_multitexture GL_ARB_vertex_buffer_object GL_EXT_bgra";
    EXPECT_TRUE(extensionListHas(list, "GL_ARB_multitexture"));
    EXPECT_TRUE(extensionListHas(list, "GL_ARB_vertex_buffer_object"));
    EXPECT_TRUE(extensionListHas(list, "GL_EXT_bgra"));
    EXPECT_TRUE(extensionListHas("GL_EXT_bgra ", "GL_EXT_bgra"));
    // Prefixes, suffixes and pieces of longer names do not count.
    EXPECT_FALSE(extensionListHas(list, "GL_ARB_vertex_buffer"));
    EXPECT_FALSE(extensionListHas(list, "ARB_multitexture"));
    EXPECT_FALSE(
        extensionListHas("GL_ARB_vertex_buffer_object_rgb32", "GL_ARB_vertex_buffer_object"));
    EXPECT_FALSE(extensionListHas("XGL_ARB_vertex_buffer_object", "GL_ARB_vertex_buffer_object"));
}

TEST(AppExtensionList, FindsALaterWholeEntryAfterAPartialOne) {
    EXPECT_TRUE(extensionListHas("GL_ARB_vertex_buffer_object_rgb32 GL_ARB_vertex_buffer_object",
                                 "GL_ARB_vertex_buffer_object"));
    EXPECT_TRUE(
        extensionListHas("GLX_ARB_multisampleX GLX_ARB_multisample", "GLX_ARB_multisample"));
    // A repeat glued to the end of a longer entry is still inside that entry.
    EXPECT_FALSE(extensionListHas("GL_fooGL_foo", "GL_foo"));
}

TEST(AppExtensionList, RejectsNamesThatAreNoEntry) {
    const char* list = "GL_A GL_B ";
    EXPECT_FALSE(extensionListHas(list, ""));
    EXPECT_FALSE(extensionListHas(list, "GL_A GL_B"));
    EXPECT_FALSE(extensionListHas(list, " "));
    EXPECT_FALSE(extensionListHas(nullptr, "GL_A"));
    EXPECT_FALSE(extensionListHas("", "GL_A"));
    EXPECT_FALSE(extensionListHas(list, nullptr));
}
