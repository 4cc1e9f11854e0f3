// The check a .3ds file must pass before lib3ds may read it. lib3ds 1.3 trusts every size, count
// and index in a file: a zero-length chunk makes it loop forever, a face index past the points or a
// node that is its own parent makes it crash, a short file makes it read garbage. This walk goes
// through the chunk tree the way lib3ds will and refuses any file that would make it read outside
// a chunk, write outside an array, loop without end or link its nodes into a cycle.
// Depends on: lib3ds's chunk ids only; reads nothing but the given bytes.
#pragma once

#include <cstddef>

// True when lib3ds can read these bytes safely. Says nothing about whether the model is usable
// (that needs the loaded data, see model_loader.h).
bool isSoundModelFile(const unsigned char* bytes, std::size_t size);
