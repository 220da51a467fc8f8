#include "core/main_menu.h"

#include "core/messages.h"
#include "core/parameter_store.h"
#include "core/users.h"

using namespace Qt::StringLiterals;

const QList<MenuDefinition>& mainMenu()
{
    static const QList<MenuDefinition> menu{
        {u"mListak"_s,
         u"Listák"_s,
         {{u"mpForgList1"_s, u"Forgalom listák "_s}, {u"mpTorzsList1"_s, u"Törzs listák"_s}}},
        {u"mTorzsek"_s,
         u"Törzsek"_s,
         {{u"mpDijak1"_s, u"Körzeti hívásdíjak"_s},
          {u"mpCeges"_s, u"Céges telefonszámok"_s},
          {u"mpDijak2"_s, u"Egyedi tel.szám hívásdíjak"_s},
          {u"mpAzonok"_s, u"Számlázási kódok (account)"_s},
          {u"mpKodok"_s, u"Titkos kódok nevesítése"_s},
          {QString(), QString()},
          {u"mpUsers"_s, u"Felhasználók"_s}}},
        {u"mMuvelet"_s,
         u"Műveletek"_s,
         {{u"mpBeolvas"_s, u"Beolvasás"_s}, {u"mpDijszam"_s, u"Díjszámolás"_s}}},
        {u"mBeallit"_s,
         u"Beállítások"_s,
         {{u"mpCeginit"_s, u"Program"_s},
          {u"mpUsrinit"_s, u"Felhasználó"_s},
          {u"mpDijinit"_s, u"Alap  percdíjak"_s}}},
        {u"mSugo"_s, u"Súgó"_s, {{u"mpNevjegy"_s, u"Névjegy"_s}}},
        {u"mKilepes"_s, u"Kilépés"_s, {}},
    };
    return menu;
}

const QStringList& dispatchTable()
{
    static const QStringList names{
        u"mpForgList1"_s, u"mpTorzsList1"_s, u"mpDijak1"_s,  u"mpDijak2"_s,  u"mpUsers"_s,
        u"mpBeolvas"_s,   u"mpDijszam"_s,    u"mpCeginit"_s, u"mpUsrinit"_s, u"mpAzonok"_s,
        u"mpNevjegy"_s,   u"mKilepes"_s,     u"mpCeges"_s,   u"mpKodok"_s,   u"mpDijinit"_s,
    };
    return names;
}

bool MenuDispatcher::setAction(const QString& name, Action action)
{
    if (!dispatchTable().contains(name))
        return false;
    m_actions[name] = std::move(action);
    return true;
}

bool MenuDispatcher::hasAction(const QString& name) const
{
    const auto found = m_actions.find(name);
    return found != m_actions.end() && found->second;
}

bool MenuDispatcher::FormClick(const QString& name) const
{
    if (dispatchTable().contains(name) && hasAction(name)) {
        m_actions.at(name)();
        return true;
    }
    Uzenet(u"A menüponthoz nincs feladat megadva:;"_s + name, u'B', u"R"_s);
    return false;
}

MenuVisibility MenuBeall(int importType, bool accountsFromSecretCodes, const QString& currentUser)
{
    if (importType == 1 || !accountsFromSecretCodes)
        return {true, false};
    return {false, currentUser == kMainUser};
}

MenuVisibility MenuBeall(const ParameterStore& cegParameterek, const QString& currentUser)
{
    return MenuBeall(cegParameterek.ParamN(u"IMPTIPUS"_s), cegParameterek.ParamL(u"EGYENIKODOK"_s),
                     currentUser);
}
