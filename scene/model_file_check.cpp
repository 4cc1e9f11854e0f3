// The structure check of .3ds files. It follows lib3ds 1.3's reader: the same chunks are
// containers here as there (with the same fixed data in front of their sub-chunks), so every loop
// lib3ds runs over sub-chunks is a loop this walk has already seen end, and every array lib3ds
// fills from a count has been seen to fit its chunk. The grammar below has a fixed depth, so a
// hostile file cannot make the walk itself recurse deeply.
#include "scene/model_file_check.h"

#include <lib3ds/chunk.h>
#include <lib3ds/node.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 6; // id (2 bytes) and size (4 bytes), size counting the header
// lib3ds reads names into buffers of this many bytes, the terminating zero included.
constexpr std::size_t kNameCapacity = 64;
constexpr std::size_t kKeyframeNameCapacity = 13;
// Fixed data that lib3ds reads in front of the sub-chunks of some containers.
constexpr std::size_t kCameraPrefix = 32;    // position, target, roll, field of view
constexpr std::size_t kLightPrefix = 12;     // position
constexpr std::size_t kSpotlightPrefix = 20; // target, hot spot, fall-off
constexpr std::size_t kFogPrefix = 16;       // four floats (layer fog: three and a flag word)
constexpr std::size_t kGradientPrefix = 4;   // mid-point percentage
constexpr std::size_t kViewportLayoutPrefix = 14;
// A vertical gradient keeps its colours in arrays of three.
constexpr int kGradientColours = 3;
// Track header: flags (2), two unused dwords (8), key count (4).
constexpr std::size_t kTrackHeader = 14;
constexpr std::size_t kKeyHeader = 6; // frame (4) and the flags of the optional spline values (2)
constexpr unsigned kSplineValueFlags = 0x1F; // tension, continuity, bias, ease to, ease from

struct Chunk {
    std::uint16_t id = 0;
    std::size_t data = 0; // first byte after the header
    std::size_t end = 0;  // one past the last byte
    std::size_t dataSize() const { return end - data; }
};

// What lib3ds reads of a leaf chunk at the least, for the leaves whose layout is fixed.
std::size_t fixedLeafSize(std::uint16_t id) {
    switch (id) {
    case LIB3DS_M3D_VERSION:
    case LIB3DS_MESH_VERSION:
    case LIB3DS_MASTER_SCALE:
    case LIB3DS_FLOAT_PERCENTAGE:
    case LIB3DS_KFCURTIME:
    case LIB3DS_MORPH_SMOOTH:
    case LIB3DS_LO_SHADOW_BIAS:
    case LIB3DS_HI_SHADOW_BIAS:
    case LIB3DS_SHADOW_RANGE:
    case LIB3DS_SHADOW_FILTER:
    case LIB3DS_RAY_BIAS:
    case LIB3DS_MAT_WIRE_SIZE:
    case LIB3DS_MAT_MAP_TEXBLUR:
    case LIB3DS_MAT_MAP_USCALE:
    case LIB3DS_MAT_MAP_VSCALE:
    case LIB3DS_MAT_MAP_UOFFSET:
    case LIB3DS_MAT_MAP_VOFFSET:
    case LIB3DS_MAT_MAP_ANG:
        return 4;
    case LIB3DS_INT_PERCENTAGE:
    case LIB3DS_NODE_ID:
    case LIB3DS_SHADOW_MAP_SIZE:
    case LIB3DS_SHADOW_SAMPLES:
    case LIB3DS_MAT_SHADING:
    case LIB3DS_MAT_MAP_TILING:
        return 2;
    case LIB3DS_COLOR_24:
    case LIB3DS_LIN_COLOR_24:
        return 3;
    case LIB3DS_KFSEG:
    case LIB3DS_CAM_RANGES:
        return 8;
    case LIB3DS_COLOR_F:
    case LIB3DS_LIN_COLOR_F:
    case LIB3DS_O_CONSTS:
    case LIB3DS_PIVOT:
        return 12;
    case LIB3DS_BOUNDBOX:
        return 24;
    case LIB3DS_MESH_MATRIX:
        return 48;
    default:
        return 0;
    }
}

// Leaves holding one zero-terminated name.
bool isNameLeaf(std::uint16_t id) {
    return id == LIB3DS_MAT_NAME || id == LIB3DS_MAT_MAPNAME || id == LIB3DS_INSTANCE_NAME ||
           id == LIB3DS_BIT_MAP || id == LIB3DS_DL_SPOT_PROJECTOR;
}

bool isMaterialSubContainer(std::uint16_t id) {
    switch (id) {
    // colours
    case LIB3DS_MAT_AMBIENT:
    case LIB3DS_MAT_DIFFUSE:
    case LIB3DS_MAT_SPECULAR:
    // percentages
    case LIB3DS_MAT_SHININESS:
    case LIB3DS_MAT_SHIN2PCT:
    case LIB3DS_MAT_TRANSPARENCY:
    case LIB3DS_MAT_XPFALL:
    case LIB3DS_MAT_REFBLUR:
    case LIB3DS_MAT_SELF_ILPCT:
    // texture maps and masks
    case LIB3DS_MAT_TEXMAP:
    case LIB3DS_MAT_TEXMASK:
    case LIB3DS_MAT_TEX2MAP:
    case LIB3DS_MAT_TEX2MASK:
    case LIB3DS_MAT_OPACMAP:
    case LIB3DS_MAT_OPACMASK:
    case LIB3DS_MAT_BUMPMAP:
    case LIB3DS_MAT_BUMPMASK:
    case LIB3DS_MAT_SPECMAP:
    case LIB3DS_MAT_SPECMASK:
    case LIB3DS_MAT_SHINMAP:
    case LIB3DS_MAT_SHINMASK:
    case LIB3DS_MAT_SELFIMAP:
    case LIB3DS_MAT_SELFIMASK:
    case LIB3DS_MAT_REFLMAP:
    case LIB3DS_MAT_REFLMASK:
        return true;
    default:
        return false;
    }
}

bool isNodeTag(std::uint16_t id) {
    return id >= LIB3DS_AMBIENT_NODE_TAG && id <= LIB3DS_SPOTLIGHT_NODE_TAG;
}

bool isTrack(std::uint16_t id) {
    return id >= LIB3DS_POS_TRACK_TAG && id <= LIB3DS_HIDE_TRACK_TAG;
}

// Bytes of the value of one key of a track; the morph track's value is a name instead.
constexpr long kNameValue = -1;
long trackValueSize(std::uint16_t id) {
    switch (id) {
    case LIB3DS_POS_TRACK_TAG:
    case LIB3DS_SCL_TRACK_TAG:
    case LIB3DS_COL_TRACK_TAG:
        return 12;
    case LIB3DS_ROT_TRACK_TAG:
        return 16; // angle and axis
    case LIB3DS_FOV_TRACK_TAG:
    case LIB3DS_ROLL_TRACK_TAG:
    case LIB3DS_HOT_TRACK_TAG:
    case LIB3DS_FALL_TRACK_TAG:
        return 4;
    case LIB3DS_MORPH_TRACK_TAG:
        return kNameValue;
    default:
        return 0; // the hide track: the key itself toggles
    }
}

// What a mesh has declared so far, in chunk order (lib3ds builds the mesh in that order).
struct MeshState {
    std::uint32_t points = 0;
    std::uint32_t pointsUsed = 0; // highest face index + 1 over every face list so far
};

class ModelFileWalk {
  public:
    ModelFileWalk(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool run() {
        if (size_ < kHeaderSize)
            return false;
        Chunk root{word(0), kHeaderSize, dword(2)};
        if (root.end < kHeaderSize || root.end > size_)
            return false;
        if (root.id != LIB3DS_M3DMAGIC && root.id != LIB3DS_MLIBMAGIC && root.id != LIB3DS_CMAGIC)
            return false;
        return forEachChild(root.data, root.end, [this](const Chunk& c) { return fileChild(c); });
    }

  private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::vector<std::uint16_t> nodeIds_; // ids of the keyframe nodes read so far

    std::uint16_t word(std::size_t at) const {
        return std::uint16_t(bytes_[at] | bytes_[at + 1] << 8);
    }
    std::uint32_t dword(std::size_t at) const {
        return std::uint32_t(word(at)) | std::uint32_t(word(at + 2)) << 16;
    }

    // Steps over the sub-chunks in [begin, end): each one must have a whole header, a size no
    // shorter than that header (lib3ds would not advance past a zero size) and end inside the
    // range.
    template <typename Visit> bool forEachChild(std::size_t begin, std::size_t end, Visit visit) {
        std::size_t at = begin;
        while (at < end) {
            if (end - at < kHeaderSize)
                return false;
            const std::uint32_t size = dword(at + 2);
            if (size < kHeaderSize || size > end - at)
                return false;
            Chunk child{word(at), at + kHeaderSize, at + size};
            if (!visit(child))
                return false;
            at = child.end;
        }
        return true;
    }

    // A zero-terminated name starting at `at`, inside [at, end) and within `capacity` bytes;
    // moves `at` past the zero.
    bool skipName(std::size_t& at, std::size_t end, std::size_t capacity) const {
        for (std::size_t i = 0; i < capacity && at + i < end; ++i)
            if (bytes_[at + i] == 0) {
                at += i + 1;
                return true;
            }
        return false;
    }

    bool leaf(const Chunk& c) const {
        if (c.dataSize() < fixedLeafSize(c.id))
            return false;
        std::size_t at = c.data;
        return !isNameLeaf(c.id) || skipName(at, c.end, kNameCapacity);
    }

    // A container whose sub-chunks are all leaves, after `prefix` bytes of fixed data.
    bool leafGroup(const Chunk& c, std::size_t prefix) {
        if (c.dataSize() < prefix)
            return false;
        return forEachChild(c.data + prefix, c.end,
                            [this](const Chunk& child) { return leaf(child); });
    }

    bool fileChild(const Chunk& c) {
        switch (c.id) {
        case LIB3DS_MDATA:
            return forEachChild(c.data, c.end,
                                [this](const Chunk& child) { return sceneChild(child); });
        case LIB3DS_KFDATA:
            return forEachChild(c.data, c.end,
                                [this](const Chunk& child) { return keyframeChild(child); });
        case LIB3DS_MAT_ENTRY:
            return material(c);
        default:
            return leaf(c);
        }
    }

    bool sceneChild(const Chunk& c) {
        switch (c.id) {
        case LIB3DS_NAMED_OBJECT:
            return namedObject(c);
        case LIB3DS_MAT_ENTRY:
            return material(c);
        case LIB3DS_AMBIENT_LIGHT:
        case LIB3DS_SOLID_BGND:
        case LIB3DS_DEFAULT_VIEW:
            return leafGroup(c, 0);
        case LIB3DS_V_GRADIENT:
            return gradient(c);
        case LIB3DS_FOG:
        case LIB3DS_LAYER_FOG:
        case LIB3DS_DISTANCE_CUE:
            return leafGroup(c, kFogPrefix);
        case LIB3DS_VIEWPORT_LAYOUT:
            return leafGroup(c, kViewportLayoutPrefix);
        default:
            return leaf(c);
        }
    }

    bool keyframeChild(const Chunk& c) {
        if (isNodeTag(c.id))
            return node(c);
        switch (c.id) {
        case LIB3DS_KFHDR: {
            std::size_t at = c.data + 2; // revision
            return c.dataSize() >= 2 && skipName(at, c.end, kKeyframeNameCapacity) &&
                   c.end - at >= 4; // frame count
        }
        case LIB3DS_DEFAULT_VIEW:
            return leafGroup(c, 0);
        case LIB3DS_VIEWPORT_LAYOUT:
            return leafGroup(c, kViewportLayoutPrefix);
        default:
            return leaf(c);
        }
    }

    bool material(const Chunk& c) {
        return forEachChild(c.data, c.end, [this](const Chunk& child) {
            return isMaterialSubContainer(child.id) ? leafGroup(child, 0) : leaf(child);
        });
    }

    bool gradient(const Chunk& c) {
        int colours = 0;
        int linearColours = 0;
        if (c.dataSize() < kGradientPrefix)
            return false;
        return forEachChild(c.data + kGradientPrefix, c.end, [&](const Chunk& child) {
            if (child.id == LIB3DS_COLOR_F && ++colours > kGradientColours)
                return false;
            if (child.id == LIB3DS_LIN_COLOR_F && ++linearColours > kGradientColours)
                return false;
            return leaf(child);
        });
    }

    bool namedObject(const Chunk& c) {
        std::size_t at = c.data;
        if (!skipName(at, c.end, kNameCapacity))
            return false;
        return forEachChild(at, c.end, [this](const Chunk& child) {
            switch (child.id) {
            case LIB3DS_N_TRI_OBJECT:
                return mesh(child);
            case LIB3DS_N_CAMERA:
                return leafGroup(child, kCameraPrefix);
            case LIB3DS_N_DIRECT_LIGHT:
                return light(child);
            default:
                return leaf(child);
            }
        });
    }

    bool light(const Chunk& c) {
        if (c.dataSize() < kLightPrefix)
            return false;
        return forEachChild(c.data + kLightPrefix, c.end, [this](const Chunk& child) {
            return child.id == LIB3DS_DL_SPOTLIGHT ? leafGroup(child, kSpotlightPrefix)
                                                   : leaf(child);
        });
    }

    // A counted array: a 16-bit count, then count elements of `elementSize` bytes, inside the
    // chunk.
    bool countedArray(const Chunk& c, std::size_t elementSize, std::uint32_t* count) const {
        if (c.dataSize() < 2)
            return false;
        *count = word(c.data);
        return std::size_t(*count) * elementSize <= c.dataSize() - 2;
    }

    bool mesh(const Chunk& c) {
        MeshState state;
        const bool childrenSound = forEachChild(c.data, c.end, [&](const Chunk& child) {
            std::uint32_t count = 0;
            switch (child.id) {
            case LIB3DS_POINT_ARRAY:
                if (!countedArray(child, 12, &count))
                    return false;
                state.points = count;
                // Normals are computed from the faces read so far.
                return state.pointsUsed <= state.points;
            case LIB3DS_POINT_FLAG_ARRAY:
                return countedArray(child, 2, &count);
            case LIB3DS_TEX_VERTS:
                return countedArray(child, 8, &count);
            case LIB3DS_FACE_ARRAY:
                return faceArray(child, state);
            default:
                return leaf(child);
            }
        });
        return childrenSound && state.pointsUsed <= state.points;
    }

    // Faces (three point indices and a flag word each), then material groups and smoothing groups
    // that refer to the faces by index.
    bool faceArray(const Chunk& c, MeshState& state) {
        std::uint32_t faces = 0;
        if (!countedArray(c, 8, &faces))
            return false;
        for (std::uint32_t face = 0; face < faces; ++face)
            for (std::size_t corner = 0; corner < 3; ++corner) {
                const std::uint32_t index = word(c.data + 2 + face * 8 + corner * 2);
                if (index >= state.points)
                    return false;
                if (index + 1 > state.pointsUsed)
                    state.pointsUsed = index + 1;
            }
        return forEachChild(c.data + 2 + std::size_t(faces) * 8, c.end,
                            [&](const Chunk& child) { return faceGroup(child, faces); });
    }

    bool faceGroup(const Chunk& c, std::uint32_t faces) const {
        switch (c.id) {
        case LIB3DS_MSH_MAT_GROUP: {
            std::size_t at = c.data;
            if (!skipName(at, c.end, kNameCapacity) || c.end - at < 2)
                return false;
            const std::uint32_t count = word(at);
            at += 2;
            if (std::size_t(count) * 2 > c.end - at)
                return false;
            for (std::uint32_t i = 0; i < count; ++i)
                if (word(at + i * 2) >= faces)
                    return false; // lib3ds would write the material name past its faces
            return true;
        }
        case LIB3DS_SMOOTH_GROUP:
            return c.dataSize() >= std::size_t(faces) * 4; // one group mask per face
        case LIB3DS_MSH_BOXMAP: {
            std::size_t at = c.data;
            for (int side = 0; side < 6; ++side)
                if (!skipName(at, c.end, kNameCapacity))
                    return false;
            return true;
        }
        default:
            return leaf(c);
        }
    }

    // A keyframe node. lib3ds links each node under its parent by id as it reads it; a node that
    // is its own parent, or whose parent comes later, sends it into endless relinking.
    bool node(const Chunk& c) {
        std::uint16_t id = 0; // what lib3ds assumes when the chunks are missing
        std::uint16_t parent = 0;
        const bool childrenSound = forEachChild(c.data, c.end, [&](const Chunk& child) {
            if (child.id == LIB3DS_NODE_ID) {
                if (!leaf(child))
                    return false;
                id = word(child.data);
                return true;
            }
            if (child.id == LIB3DS_NODE_HDR) {
                std::size_t at = child.data;
                if (!skipName(at, child.end, kNameCapacity) || child.end - at < 6)
                    return false;
                parent = word(at + 4); // after the two flag words
                return true;
            }
            if (isTrack(child.id))
                return track(child);
            return leaf(child);
        });
        if (!childrenSound)
            return false;
        for (std::uint16_t known : nodeIds_)
            if (known == id)
                return false;
        if (parent != LIB3DS_NO_PARENT) {
            bool parentSeen = false;
            for (std::uint16_t known : nodeIds_)
                parentSeen = parentSeen || known == parent;
            if (!parentSeen)
                return false; // missing, later, or the node itself
        }
        nodeIds_.push_back(id);
        return true;
    }

    // An animation track: every key must lie inside the chunk; lib3ds reads as many keys as the
    // count says, sorting each in, so a large count alone would keep it busy for hours.
    bool track(const Chunk& c) const {
        if (c.dataSize() < kTrackHeader)
            return false;
        const std::int32_t keys = std::int32_t(dword(c.data + 10));
        if (keys < 0)
            return false;
        const long valueSize = trackValueSize(c.id);
        std::size_t at = c.data + kTrackHeader;
        for (std::int32_t key = 0; key < keys; ++key) {
            if (c.end - at < kKeyHeader)
                return false;
            const unsigned splineFlags = word(at + 4) & kSplineValueFlags;
            at += kKeyHeader;
            for (unsigned bit = 1; bit <= kSplineValueFlags; bit <<= 1)
                if (splineFlags & bit) {
                    if (c.end - at < 4)
                        return false;
                    at += 4;
                }
            if (valueSize == kNameValue) {
                if (!skipName(at, c.end, kNameCapacity))
                    return false;
            } else {
                if (c.end - at < std::size_t(valueSize))
                    return false;
                at += std::size_t(valueSize);
            }
        }
        return true;
    }
};

} // namespace

bool isSoundModelFile(const unsigned char* bytes, std::size_t size) {
    if (!bytes)
        return false;
    return ModelFileWalk(bytes, size).run();
}
