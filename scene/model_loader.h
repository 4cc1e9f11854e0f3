// Loading a ship's .3ds file. Only files that pass the structure check reach lib3ds, and a loaded
// file is kept only when the one mesh a ship draws from it is complete. Every failure is silent:
// the caller gets null and the ship stays invisible.
// Depends on: model_file_check.h, lib3ds.
#pragma once

struct Lib3dsFile;
struct Lib3dsMesh;

// The loaded file, or null when it cannot be read, fails the check, or has no drawable mesh.
// The caller owns the result (lib3ds_file_free).
Lib3dsFile* loadModelFile(const char* fileName);

// The one mesh a model contributes: the mesh named by its first keyframe node. lib3ds keeps sibling
// nodes sorted by name, so that is the alphabetically first top-level node. Null when there is
// none.
Lib3dsMesh* firstNodeMesh(Lib3dsFile* model);

// True when the drawing code can use the mesh as it is: at least one point, one texture
// coordinate per point, and every face index below the point count.
bool isDrawableMesh(const Lib3dsMesh* mesh);
