#include "diagram/Fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutes() {
    // A face that is installed is used as it is: substitutes count only where a face is missing.
    const QStringList plain = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    for (const char* face : {"Comic Sans MS", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QLatin1String(face), plain);
}
