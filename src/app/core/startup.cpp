#include "core/startup.h"

#include "core/connection_settings.h"
#include "core/data_module.h"
#include "core/login.h"
#include "core/messages.h"

#include <QDir>

using namespace Qt::StringLiterals;

QString captionWithVersion(const QString& caption)
{
    return caption + u"  ( ver "_s + QString(kProgramVersion) + u" )"_s;
}

ParameterDefinition cegParameterDefinition(const QString& executableFolder)
{
    const QString importFolder =
        withTrailingSeparator(QDir::fromNativeSeparators(executableFolder)) + u"Import/"_s;
    return {u"Programra vonatkozó paraméterek beállítása"_s,
            {u"Alapvető működés"_s, u"Import kezelése"_s},
            {
                u"1;L;Induláskor import fájlok keresése;Igen;IMPORT;AUTOSTART"_s,
                u"1;L;Import fájl beolvasása előtt rákérdez;Igen;IMPORT;BIZTKERD"_s,
                u"1;L;Fővonalak kezelése (eltérő díjazás miatt);Nem;VONALAK;KEZELES"_s,
                u"1;M;- ha igen: fővonal csoportok száma (max.6);0;VONALAK;CSOPDRB;9"_s,
                u"2;C;Import fájlok útvonala;"_s + importFolder + u";IMPORT;UTVONAL"_s,
                u"2;C;Import fájlok maszkja;D*.txt;IMPORT;MASZK"_s,
                u"2;N;Import fájlok típusa;2;IMPORT;IMPTIPUS"_s,
                u"2;L;Import=2: Account kezelése;Igen;IMPORT;ACCOUNTKEZEL"_s,
                u"2;L;Import=2: Titkos kódból generált Account;Nem;IMPORT;EGYENIKODOK"_s,
            }};
}

ParameterDefinition usrParameterDefinition()
{
    return {u"Felhasználóra vonatkozó paraméterek beállítása"_s,
            {u"Megjelenés"_s},
            {
                u"1;N;Betűméret;10;MEGJELENES;BETUMERET"_s,
                u"1;L;Betűstílus: Félkövér;Igen;MEGJELENES;BETUFORMA1"_s,
            }};
}

QString cegIniFileName(const QString& baseDirectory)
{
    return baseDirectory + u"Ceg.ini"_s;
}

QString usrIniFileName(const QString& baseDirectory, const QString& userId)
{
    return baseDirectory + u"Usr"_s + userId.mid(3, 3) + u".ini"_s;
}

FontStyle userFontStyle(const ParameterStore& usrParameterek)
{
    return {usrParameterek.ParamN(u"BETUMERET"_s), usrParameterek.ParamL(u"BETUFORMA1"_s)};
}

TeloranSession::TeloranSession(const QString& mainIniFileName) : m_mainIni(mainIniFileName)
{
    m_baseDirectory = readBaseDirectory(m_mainIni);
    if (m_baseDirectory.isEmpty())
        Uzenet(u"Hiányzó INI bejegyzés: MAIN / BaseDirectory"_s, u'H', u"R"_s);
}

bool TeloranSession::setUpCegParameterek(const QString& executableFolder)
{
    const ParameterDefinition definition = cegParameterDefinition(executableFolder);
    m_ceg = std::make_unique<ParameterStore>();
    if (!m_ceg->Init(definition.caption, cegIniFileName(m_baseDirectory), definition.pages,
                     definition.items)) {
        Uzenet(u"Fájl hozzáférési hiba: Ceg.ini"_s, u'H', u"R"_s);
        return false;
    }
    return true;
}

bool TeloranSession::setUpUsrParameterek()
{
    const ParameterDefinition definition = usrParameterDefinition();
    m_usr = std::make_unique<ParameterStore>();
    if (!m_usr->Init(definition.caption, usrIniFileName(m_baseDirectory, m_currentUser), definition.pages,
                     definition.items)) {
        // The message names the identifier (USR001.ini), not the file.
        Uzenet(u"Fájl hozzáférési hiba: "_s + m_currentUser + u".ini"_s, u'H', u"R"_s);
        return false;
    }
    return true;
}

bool TeloranSession::FormCloseQuery()
{
    if (m_starting)
        return true;
    if (Uzenet(u"Valóban kilép?"_s, u'K', u"IN"_s) != mrYes)
        return false;
    m_ceg.reset();
    m_usr.reset();
    return true;
}

bool FirstActivation(TeloranSession& session, Tdm1& dm, LastUser& lastUser, const StartupHooks& hooks,
                     const QString& executableFolder)
{
    if (!session.takeFirstActivation())
        return true;
    dm.prepareDataConnection();

    const QString proposed = lastUser.read();
    const LoginOutcome login = hooks.login ? hooks.login(proposed) : LoginOutcome{};
    if (login.result == LoginOutcome::Cancelled)
        return false;
    if (login.result == LoginOutcome::Failed) {
        Uzenet(
            u"Ismeretlen hiba a felhasználó beléptetése közben.;(valószínűen adatbázis hozzáférési hiba)"_s,
            u'H', u"R"_s);
        return false;
    }
    session.setCurrentUser(login.userId);
    lastUser.writeIfChanged(proposed, login.name);

    if (!session.setUpCegParameterek(executableFolder))
        return false;
    if (!session.setUpUsrParameterek())
        return false;
    if (hooks.applyFont)
        hooks.applyFont(userFontStyle(*session.UsrParameterek()));
    if (hooks.buildTariffParameters && !hooks.buildTariffParameters())
        return false;
    if (hooks.finishStart && !hooks.finishStart()) {
        Uzenet(u"Ismeretlen programindítási hiba."_s, u'B', u"R"_s);
        return false;
    }
    if (session.CegParameterek()->ParamL(u"AUTOSTART"_s) && hooks.autostartImport) {
        const bool read = hooks.autostartImport();
        if (read && hooks.autostartPricing)
            hooks.autostartPricing();
    }
    session.setStarted();
    return true;
}
