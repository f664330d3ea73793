// The diagram's pictures: pixels of the bitmap at the points the geometry gives, the Windows bitmap
// file, the metafile's header and records, and the metafile as a real reader (Inkscape) draws it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>

#include "base/PointCodes.h"
#include "diagram/DiagramPictures.h"

namespace {

// A real game of 42 moves over most of the board, and games at the edges.
const std::string RealGame =
    "98998B897A69797887A9AB7BC98A6C489CBAADBE8C7CBCAACBCA9AA8B7A7A6DAEABB9E8F9D9BCDDEBD8DDD";

TDiagram Diagram(std::string moves, TDiagramOptions options = {}) {
    TDiagram diagram;
    diagram.Moves = DiagramMoves(moves);
    diagram.Options = options;
    diagram.Diameter = 30;
    diagram.MoveFont = QFont(QStringLiteral("MS Sans Serif"), 8);
    diagram.Players = QStringLiteral("EMBRYO21.S vs HEWER18");
    diagram.Year = QStringLiteral("2021");
    diagram.PartyCaption = QStringLiteral("?I,-,5A=?,/42");
    diagram.Board = QStringLiteral("10001");
    return diagram;
}

TDiagramOptions Unnumbered(bool full = false) {
    TDiagramOptions options;
    options.Full = full;
    options.WithNum = 0;
    return options;
}

bool StoneAt(const TDiagram& diagram, int column, int row) {
    const std::string code{kalvon::PointDigit(column), kalvon::PointDigit(row)};
    for (size_t i = 0; i + 1 < diagram.Moves.size(); i += 2)
        if (diagram.Moves.compare(i, 2, code) == 0) return true;
    return false;
}

bool Dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// The pixels the geometry fixes: every stone's centre in its colour, the middle of every grid
// segment black (a line, or a stone's outline), the middle of every cell white.
struct TProbe {
    QPoint At;
    bool Dark;
    std::string What;
};

std::vector<TProbe> Probes(const TDiagram& diagram) {
    const TDiagramLayout l = DiagramLayout(diagram);
    std::vector<TProbe> probes;
    std::vector<std::vector<int>> stone(16, std::vector<int>(16, 0));
    for (size_t i = 0; i + 1 < diagram.Moves.size(); i += 2)
        stone[size_t(kalvon::PointDigitValue(diagram.Moves[i]))]
             [size_t(kalvon::PointDigitValue(diagram.Moves[i + 1]))] = int(i / 2) + 1;
    for (int c = l.MinCol; c <= l.MaxCol; ++c)
        for (int r = l.MinRow; r <= l.MaxRow; ++r) {
            const std::string point =
                kalvon::PointCodeToText(std::string{kalvon::PointDigit(c), kalvon::PointDigit(r)});
            if (stone[size_t(c)][size_t(r)])
                probes.push_back(
                    {QPoint(l.X(c), l.Y(r)), stone[size_t(c)][size_t(r)] % 2 == 1, "stone " + point});
            if (c < l.MaxCol)
                probes.push_back({QPoint(l.X(c) + l.S / 2, l.Y(r)), true, "segment right of " + point});
            if (r > l.MinRow)
                probes.push_back({QPoint(l.X(c), l.Y(r) + l.S / 2), true, "segment below " + point});
            if (c < l.MaxCol && r > l.MinRow)
                probes.push_back(
                    {QPoint(l.X(c) + l.S / 2, l.Y(r) + l.S / 2), false, "cell right below " + point});
        }
    return probes;
}

void ExpectProbes(const QImage& image, const TDiagram& diagram, const std::string& source) {
    for (const TProbe& probe : Probes(diagram))
        EXPECT_EQ(Dark(image.pixel(probe.At)), probe.Dark) << source << ": " << probe.What;
}

uint32_t U32(const QByteArray& bytes, qsizetype at) {
    uint32_t value;
    std::memcpy(&value, bytes.constData() + at, 4);
    return value;
}
int32_t I32(const QByteArray& bytes, qsizetype at) {
    return int32_t(U32(bytes, at));
}

TEST(DiagramBitmap, PixelsAtStonesSegmentsAndCells) {
    for (const TDiagram& diagram :
         {Diagram("8878A9978A", Unnumbered()), Diagram("881A", Unnumbered()), Diagram("88AF", Unnumbered()),
          Diagram(RealGame, Unnumbered()), Diagram(RealGame, Unnumbered(true))}) {
        const QImage image = DiagramImage(diagram);
        ExpectProbes(image, diagram, diagram.Moves);
        const TDiagramLayout l = DiagramLayout(diagram);
        // A side at the board's edge is closed by a line two pixels wide with nothing beyond it; a
        // side inside the board shows stubs half a cell long and no thick line. Probed beside
        // points without stones.
        const bool left = l.MinCol == 1, top = l.MaxRow == 15;
        bool probed = false;
        for (int r = l.MinRow; r < l.MaxRow; ++r)
            if (!StoneAt(diagram, l.MinCol, r) && !StoneAt(diagram, l.MinCol, r + 1)) {
                EXPECT_EQ(Dark(image.pixel(l.X(l.MinCol) - 1, l.Y(r) - l.S / 2)), left) << diagram.Moves;
                EXPECT_EQ(Dark(image.pixel(l.X(l.MinCol) - l.S / 4, l.Y(r))), !left) << diagram.Moves;
                probed = true;
                break;
            }
        for (int c = l.MinCol; c < l.MaxCol; ++c)
            if (!StoneAt(diagram, c, l.MaxRow) && !StoneAt(diagram, c + 1, l.MaxRow)) {
                EXPECT_EQ(Dark(image.pixel(l.X(c) + l.S / 2, l.Y(l.MaxRow) - 1)), top) << diagram.Moves;
                EXPECT_EQ(Dark(image.pixel(l.X(c), l.Y(l.MaxRow) - l.S / 4)), !top) << diagram.Moves;
                probed = true;
                break;
            }
        EXPECT_TRUE(probed) << diagram.Moves;
        if (diagram.Options.Full) {
            // D4 and M4 are free in this game: their star points show.
            EXPECT_TRUE(Dark(image.pixel(l.X(4) + 1, l.Y(4) + 1)));
            EXPECT_TRUE(Dark(image.pixel(l.X(12) - 1, l.Y(4) - 1)));
        }
    }
}

TEST(DiagramBitmap, WindowsBitmapFileOfWByH) {
    const TDiagram diagram = Diagram(RealGame);
    const QByteArray bmp = DiagramPicture(diagram, TPictureFormat::Bmp);
    const TDiagramLayout l = DiagramLayout(diagram);
    ASSERT_GT(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(bmp, 2), uint32_t(bmp.size()));
    EXPECT_EQ(I32(bmp, 18), l.W());
    EXPECT_EQ(std::abs(I32(bmp, 22)), l.H());
    const QImage decoded = QImage::fromData(bmp, "BMP");
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), DiagramImage(diagram));
    const QImage png = QImage::fromData(DiagramPicture(diagram, TPictureFormat::Png), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), DiagramImage(diagram));
    const QByteArray svg = DiagramPicture(diagram, TPictureFormat::Svg);
    EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(l.W()).arg(l.H()).toLatin1()));
}

// The records of a metafile: type and the whole record.
std::vector<std::pair<uint32_t, QByteArray>> Records(const QByteArray& emf) {
    std::vector<std::pair<uint32_t, QByteArray>> records;
    for (qsizetype at = 0; at + 8 <= emf.size();) {
        const uint32_t size = U32(emf, at + 4);
        if (size < 8 || at + size > emf.size()) break;
        records.emplace_back(U32(emf, at), emf.mid(at, size));
        at += size;
    }
    return records;
}

constexpr uint32_t EmrHeader = 1, EmrEof = 14, EmrEllipse = 42, EmrExtTextOutW = 84;

TEST(DiagramMetafile, HeaderFrameOneEllipsePerStoneAndNumbersAsText) {
    TDiagramOptions options;
    options.WithNum = 3;
    const TDiagram diagram = Diagram(RealGame, options);
    const TDiagramLayout l = DiagramLayout(diagram);
    const QByteArray emf = DiagramPicture(diagram, TPictureFormat::Emf);
    const auto records = Records(emf);
    ASSERT_GE(records.size(), 2u);
    const QByteArray& header = records.front().second;
    EXPECT_EQ(records.front().first, EmrHeader);
    EXPECT_EQ(records.back().first, EmrEof);
    EXPECT_EQ(header.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32(header, 48), uint32_t(emf.size()));
    EXPECT_EQ(U32(header, 52), uint32_t(records.size()));
    // Bounds in device pixels, inclusive; the frame in hundredths of a millimetre on the device.
    EXPECT_EQ(I32(header, 8), 0);
    EXPECT_EQ(I32(header, 12), 0);
    EXPECT_NEAR(I32(header, 16), l.W() - 1, 1);
    EXPECT_NEAR(I32(header, 20), l.H() - 1, 1);
    const double pixelsPerHundredth = double(I32(header, 72)) / (100.0 * I32(header, 80));
    EXPECT_NEAR(I32(header, 32) * pixelsPerHundredth, l.W(), 0.5);
    EXPECT_NEAR(I32(header, 36) * double(I32(header, 76)) / (100.0 * I32(header, 84)), l.H(), 0.5);

    size_t ellipses = 0;
    QStringList texts;
    for (const auto& [type, record] : records) {
        ellipses += type == EmrEllipse;
        if (type != EmrExtTextOutW) continue;
        const uint32_t chars = U32(record, 44), offset = U32(record, 48);
        texts.append(
            QString::fromUtf16(reinterpret_cast<const char16_t*>(record.constData() + offset), chars));
    }
    EXPECT_EQ(ellipses, RealGame.size() / 2);
    QStringList numbers;
    for (size_t n = 1; n + 2 <= RealGame.size() / 2; ++n) numbers.append(QString::number(n));
    EXPECT_EQ(texts.join(QLatin1Char(' ')).toStdString(), numbers.join(QLatin1Char(' ')).toStdString());
}

// Inkscape draws the metafile at W x H; the result is compared with the bitmap.
class DiagramInInkscape : public testing::Test {
protected:
    void SetUp() override {
        Inkscape = QStandardPaths::findExecutable(QStringLiteral("inkscape"));
        if (Inkscape.isEmpty())
            GTEST_SKIP() << "inkscape is not installed (Debian package inkscape, installed by "
                            "scripts/install-deps.sh): the metafile is not compared with a real reader";
    }
    QImage Rendered(const TDiagram& diagram) {
        const TDiagramLayout l = DiagramLayout(diagram);
        QFile emf(Folder.filePath(QStringLiteral("d.emf")));
        EXPECT_TRUE(emf.open(QIODevice::WriteOnly));
        emf.write(DiagramPicture(diagram, TPictureFormat::Emf));
        emf.close();
        QProcess inkscape;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), Folder.path());
        inkscape.setProcessEnvironment(environment);
        const QString png = Folder.filePath(QStringLiteral("d.png"));
        inkscape.start(
            Inkscape,
            {QStringLiteral("--export-type=png"), QStringLiteral("--export-filename=") + png,
             QStringLiteral("--export-width=%1").arg(l.W()), QStringLiteral("--export-height=%1").arg(l.H()),
             QStringLiteral("--export-background=white"), QStringLiteral("--export-background-opacity=1"),
             emf.fileName()});
        EXPECT_TRUE(inkscape.waitForFinished(120000));
        EXPECT_EQ(inkscape.exitCode(), 0) << inkscape.readAllStandardError().toStdString();
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }
    QString Inkscape;
    QTemporaryDir Folder;
};

TEST_F(DiagramInInkscape, MetafileDrawsAsTheBitmap) {
    TDiagramOptions captioned;
    captioned.Full = captioned.Caption = captioned.Commentary = true;
    for (const TDiagram& diagram : {Diagram(RealGame, Unnumbered()), Diagram(RealGame), Diagram("8818"),
                                    Diagram(RealGame, captioned)}) {
        const QImage bitmap = DiagramImage(diagram);
        const QImage drawn = Rendered(diagram);
        ASSERT_EQ(drawn.size(), bitmap.size());
        if (diagram.Options.WithNum == 0) ExpectProbes(drawn, diagram, "inkscape " + diagram.Moves);
        qsizetype differing = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb a = bitmap.pixel(x, y), b = drawn.pixel(x, y);
                differing += std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                             std::abs(qBlue(a) - qBlue(b)) > 64;
            }
        EXPECT_LE(double(differing) / (bitmap.width() * bitmap.height()), 0.02)
            << differing << " pixels differ in " << bitmap.width() << " x " << bitmap.height();
    }
}

}  // namespace
