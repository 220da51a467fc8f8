#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class ParameterStore;

// The main window's menu, in display order: each menu of the bar with its
// items. An item with an empty name is a separator; a menu without items
// (Kilépés) is an item of the bar itself.
struct MenuItemDefinition {
    QString name;
    QString caption;
};

struct MenuDefinition {
    QString name;
    QString caption;
    QList<MenuItemDefinition> items;
};

const QList<MenuDefinition>& mainMenu();

// The names the dispatcher compares with, in its order.
const QStringList& dispatchTable();

// FormClick, the menu dispatcher: the name of the item (or of the window
// when its background is clicked) chooses the action. A name that is not in
// the table, or whose window does not exist yet, is reported as an item
// without a task ("A menüponthoz nincs feladat megadva:;" + name).
class MenuDispatcher {
public:
    using Action = std::function<void()>;

    // Gives an item of the table its action; false for a name not in it.
    bool setAction(const QString& name, Action action);
    bool hasAction(const QString& name) const;
    // True when an action ran.
    bool FormClick(const QString& name) const;

private:
    std::map<QString, Action> m_actions;
};

// Which of the two code items MenuBeall shows.
struct MenuVisibility {
    bool mpAzonok = true;
    bool mpKodok = false;

    bool operator==(const MenuVisibility&) const = default;
};

// MenuBeall: with import type 1, or without accounts generated from secret
// codes, "Számlázási kódok (account)" is shown; otherwise "Titkos kódok
// nevesítése", to the main user only.
MenuVisibility MenuBeall(int importType, bool accountsFromSecretCodes, const QString& currentUser);
MenuVisibility MenuBeall(const ParameterStore& cegParameterek, const QString& currentUser);
