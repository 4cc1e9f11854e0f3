// Writing a ship as a .3ds file through lib3ds: one mesh with one texture coordinate per point and
// three points of its own per face, and one object node named after the mesh, which is the node
// the program looks the mesh up by.
#pragma once

#include <string>

#include "tools/ship_shapes.h"

// False when lib3ds could not build or save the file.
bool writeShipModel(const ShipShape& shape, const std::string& path);
