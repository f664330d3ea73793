// Laying a premultiplied picture's pixel over an opaque one, for the copies of stones and labels
// that the board and the diagrams draw once and then copy.
#pragma once

#include <QRgb>

// The pixel under shows through by the part the picture's pixel leaves; round is added before each
// division by 255 (0 truncates, 127 rounds to the nearest).
inline QRgb OverPremultiplied(QRgb source, QRgb under, int round) {
    const int alpha = qAlpha(source);
    if (alpha == 255) return source;
    if (alpha == 0) return under;
    const int rest = 255 - alpha;
    return qRgb(qRed(source) + (qRed(under) * rest + round) / 255,
                qGreen(source) + (qGreen(under) * rest + round) / 255,
                qBlue(source) + (qBlue(under) * rest + round) / 255);
}
