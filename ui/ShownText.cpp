#include "ui/ShownText.h"

#include <QStringDecoder>

#include "base/TextPolicy.h"
#include "search/StatisticLines.h"

QString EngineText(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!utf8.hasError()) return decoded;
    return CodePageText(text);
}

QString CodePageText(std::string_view text) {
    // Memo lines and labels are ASCII apart from the labels past 'z', which are bytes of the code page.
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromStdString(kalvon::TextPolicy().ToUtf8(text));
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QChar LabelText(int k) {
    const QString label = CodePageText(kalvon::MoveLabel(k));
    return label.isEmpty() ? QChar() : label.at(0);
}

QString BoxLines(const std::string& text) {
    QString shown = CodePageText(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString Counted(size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}
