#include "ui/TextWidths.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cmath>

QString NameSample() {
    return QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX");
}

int TextWidth(const QFont& font, const QString& text) {
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

int NameWidth(const QFont& font) {
    return TextWidth(font, NameSample());
}

int WidestRepeated(const QFont& font, const QString& characters, int count) {
    int widest = 0;
    for (const QChar c : characters) widest = std::max(widest, TextWidth(font, QString(count, c)));
    return widest;
}

int ComboBoxWidth(const QComboBox& box, int textWidth) {
    // As the box measures itself for its own contents.
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = box.isEditable();
    option.frame = box.hasFrame();
    const QSize contents(textWidth, box.fontMetrics().height());
    return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, &box).width();
}

void ToolTipFollowsText(QComboBox& box) {
    QObject::connect(&box, &QComboBox::currentTextChanged, &box,
                     [&box](const QString& text) { box.setToolTip(text); });
}
