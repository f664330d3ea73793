// A base whose statistics are worked out by hand, shared by the statistics, query and transformation
// tests, and helpers that play on the board through the mouse.
#pragma once

#include <QTest>
#include <string>
#include <string_view>

#include "tests/ui/UiTestSupport.h"
#include "ui/BoardArea.h"
#include "ui/BoardPainter.h"
#include "ui/MainWindow.h"
#include "ui/SettingsState.h"

namespace statbase {

// The position of the base: black H8, J10, J9; white H9, G10. No symmetry of the board keeps it, so
// no two next moves are merged, and with five moves nothing is folded.
inline const std::string Position = "88899A7A99";
// The same stones in another order.
inline const std::string Transposed = "9A89887A99";

// Sixteen games reach the position: five go on with F10 (6A), four with H10 (8A), three with J8 (98),
// two with G7 (77), one with L9 (B9) and one ends there. Two more games do not reach it.
// By PartyList position (0-based):
//   0 Black One-White One 2003 a +   1 White One-Black One 2003 a -   2 Third-White One 2004 A +
//   3 Black One-Third 2004 None =    4 Black One-White One 2003 b ? (transposed)          all F10
//   5 Black One-White One 2003 a +   6 White One-Third 2004 a +       7 Third-Black One 2004 None +
//   8 White One-Black One 2003 b -                                                        all H10
//   9 Black One-Third 2003 a -      10 Third-White One 2004 A -      11 White One-Third 2003 a -  J8
//  12 Third-Black One 2004 b F      13 Black One-White One 2003 a f                           G7
//  14 White One-Black One 2004 a +  (L9)     15 Third-White One 2003 A = (ends at the position)
//  16 Black One-White One 2003 a + (8889 only)  17 Third-Black One 2005 c ? (another opening)
inline QByteArray Content() {
    struct TGame {
        const char *Year, *Board, *Black, *White, *Result;
        std::string Moves;
    };
    const std::string& p = Position;
    const TGame games[] = {
        {"2003", "a0001", "Black One", "White One", "+", p + "6A"},
        {"2003", "a0002", "White One", "Black One", "-", p + "6A"},
        {"2004", "A0003", "Third", "White One", "+", p + "6A"},
        {"2004", "  104", "Black One", "Third", "=", p + "6A"},
        {"2003", "b0005", "Black One", "White One", "?", Transposed + "6A"},
        {"2003", "a0006", "Black One", "White One", "+", p + "8A"},
        {"2004", "a0007", "White One", "Third", "+", p + "8A"},
        {"2004", "  108", "Third", "Black One", "+", p + "8A"},
        {"2003", "b0009", "White One", "Black One", "-", p + "8A"},
        {"2003", "a0010", "Black One", "Third", "-", p + "98"},
        {"2004", "A0011", "Third", "White One", "-", p + "98"},
        {"2003", "a0012", "White One", "Third", "-", p + "98"},
        {"2004", "b0013", "Third", "Black One", "F", p + "77"},
        {"2003", "a0014", "Black One", "White One", "f", p + "77"},
        {"2004", "a0015", "White One", "Black One", "+", p + "B9"},
        {"2003", "A0016", "Third", "White One", "=", p},
        {"2003", "a0017", "Black One", "White One", "+", "8889"},
        {"2005", "c0018", "Third", "Black One", "?", "87889796"},
    };
    QByteArray content;
    for (const TGame& g : games)
        content += QStringLiteral("%1,%2=[%3,%4,%5,%6,?,-]\r\n")
                       .arg(QLatin1String(g.Year), QLatin1String(g.Board), QLatin1String(g.Black),
                            QLatin1String(g.White), QLatin1String(g.Result), QString::fromStdString(g.Moves))
                       .toLatin1();
    return content;
}

// The memo for the position with no query.
inline const QStringList MemoLines = {
    QStringLiteral("Total: 16"),           QStringLiteral("16 +6F1-5f1=2?1"),
    QStringLiteral("End: 1 +0-0=1"),       QStringLiteral("(A)F10: 5 +2-1=1?1"),
    QStringLiteral("(B)H10: 4 +3-1=0"),    QStringLiteral("(C)J8: 3 +0-3=0"),
    QStringLiteral("(D)G7: 2 +0F1-0f1=0"), QStringLiteral("(E)L9: 1 +1-0=0"),
};
inline const std::string Labels = "6A8A9877B9";

inline const TBoardGeometry Geometry(DefaultMoveDiameter);

inline QPoint Centre(std::string_view code) {
    const std::optional<TBoardPoint> p = PointOfCode(code);
    return {Geometry.X(p->Column), Geometry.Y(p->Row)};
}

inline void Click(TMainWindow& main, std::string_view code) {
    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, Centre(code));
}

inline void Play(TMainWindow& main, std::string_view moves) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2) Click(main, moves.substr(i, 2));
}

inline QRgb Pixel(TMainWindow& main, QPoint p) {
    return BoardArea(main)->Canvas().pixel(p) | 0xFF000000;
}

// Whether the point shows a next-move label: the ring of the label is black in the upper left quarter
// of the cell, where an empty point has neither grid nor stone.
inline bool HasLabel(TMainWindow& main, std::string_view code) {
    const QPoint c = Centre(code);
    for (int y = c.y() - 12; y < c.y() - 3; ++y)
        for (int x = c.x() - 12; x < c.x() - 3; ++x)
            if (Pixel(main, {x, y}) == qRgb(0, 0, 0)) return true;
    return false;
}

inline QStringList Lines(const QString& text) {
    return text.split(QLatin1Char('\n'));
}

}  // namespace statbase
