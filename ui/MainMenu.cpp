#include "ui/MainMenu.h"

#include <QAction>
#include <QMenu>

QList<QAction*> BaseItems(const TMainMenu& menu) {
    QList<QAction*> items;
    bool inside = false;
    for (QAction* action : menu.fileMenu->actions()) {
        if (action == menu.baseItemsEnd) break;
        if (inside) items.append(action);
        if (action->isSeparator()) inside = true;
    }
    return items;
}

QAction* AddBaseItem(const TMainMenu& menu, const QString& path) {
    QString text = path;
    // An "&" would otherwise mark the next letter as the item's key.
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* action = new QAction(text, menu.fileMenu);
    action->setData(path);
    action->setObjectName(QStringLiteral("BaseItem%1").arg(BaseItems(menu).size() + 1));
    menu.fileMenu->insertAction(menu.baseItemsEnd, action);
    return action;
}
