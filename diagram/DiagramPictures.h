// A diagram as a picture: the image the preview and the bitmap show, and the encoded files.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

#include "diagram/Diagram.h"

enum class TPictureFormat { Bmp, Png, Svg, Emf };

// The format named by the extension of a file name (.bmp, .png, .svg, .emf, in any letter case).
std::optional<TPictureFormat> PictureFormatOf(const QString& fileName);

// The diagram drawn on a white W x H image.
QImage DiagramImage(const TDiagram& diagram);

// The bytes of the diagram's picture in the format: a Windows bitmap, PNG, SVG or an Enhanced
// Metafile, each W x H pixels.
QByteArray DiagramPicture(const TDiagram& diagram, TPictureFormat format);
