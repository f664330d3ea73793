#include "ui/Nav.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/KCollection.h"
#include "ui/Session.h"

TNavigatorForm::TNavigatorForm(TSession& session) : QWidget(nullptr), Session_(session) {
    setObjectName(QStringLiteral("NavigatorForm"));
    setWindowTitle(QStringLiteral("NavigatorBD"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(321, 317);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(321 / 2, 317 / 2));
}

void TNavigatorForm::DrawPanels(int, int) {
    // The game panels come with the navigator's own work; until then there is nothing to draw.
}

void TNavigatorForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit Shown();
}

void RefreshBrowsers(const TSession& session, TNavigatorForm& navigator, TFormKonstr& listing, bool openNavigator,
                     bool openListing) {
    const bool listed = !session.Base().Listing.empty();
    if (navigator.isVisible())
        navigator.DrawPanels(1, 1);
    else if (openNavigator && listed && navigator.HasPanels())
        navigator.show();
    if (listing.isVisible())
        listing.ShowFormKonstr();
    else if (openListing && listed && listing.HasLines())
        listing.show();
}
