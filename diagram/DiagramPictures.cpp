#include "diagram/DiagramPictures.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

#include "diagram/EmfCanvas.h"
#include "diagram/PainterCanvas.h"

std::optional<TPictureFormat> PictureFormatOf(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("bmp")) return TPictureFormat::Bmp;
    if (extension == QLatin1String("png")) return TPictureFormat::Png;
    if (extension == QLatin1String("svg")) return TPictureFormat::Svg;
    if (extension == QLatin1String("emf")) return TPictureFormat::Emf;
    return std::nullopt;
}

QImage DiagramImage(const TDiagram& diagram) {
    const TDiagramLayout layout = DiagramLayout(diagram);
    QImage image(layout.W(), layout.H(), QImage::Format_RGB32);
    QPainter painter(&image);
    TPainterCanvas canvas(painter, &image);
    DrawDiagram(canvas, diagram);
    return image;
}

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray SvgPicture(const TDiagram& diagram) {
    const TDiagramLayout layout = DiagramLayout(diagram);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(layout.W(), layout.H()));
    svg.setViewBox(QRect(0, 0, layout.W(), layout.H()));
    // Font sizes in points come out as they do on the bitmap.
    svg.setResolution(QImage(1, 1, QImage::Format_RGB32).logicalDpiX());
    svg.setTitle(diagram.Players);
    QPainter painter(&svg);
    TPainterCanvas canvas(painter);
    DrawDiagram(canvas, diagram);
    painter.end();
    return bytes;
}

}  // namespace

QByteArray DiagramPicture(const TDiagram& diagram, TPictureFormat format) {
    switch (format) {
        case TPictureFormat::Bmp:
            return Encoded(DiagramImage(diagram), "BMP");
        case TPictureFormat::Png:
            return Encoded(DiagramImage(diagram), "PNG");
        case TPictureFormat::Svg:
            return SvgPicture(diagram);
        case TPictureFormat::Emf:
            return QByteArray::fromStdString(DiagramMetafile(diagram));
    }
    return {};
}
