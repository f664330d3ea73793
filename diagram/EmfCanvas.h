// The diagram as an Enhanced Metafile, recorded through libEMF. Its Windows-style headers stay in
// the .cpp file.
#pragma once

#include <string>

#include "diagram/Diagram.h"

// The bytes of a metafile of W x H device pixels that draws the diagram: one ellipse record per
// stone, the numbers and letters as text records in the face the pictures use.
std::string DiagramMetafile(const TDiagram& diagram);
