#include "core/login.h"

#include "core/cp1250.h"
#include "core/messages.h"
#include "core/password.h"

#include <QSettings>

using namespace Qt::StringLiterals;

LastUser::LastUser()
    : m_own(std::make_unique<QSettings>(u"Dravasoft"_s, u"Teloran"_s)), m_settings(m_own.get())
{
}

LastUser::LastUser(QSettings* settings) : m_settings(settings) {}

LastUser::~LastUser() = default;

QString LastUser::read() const
{
    const QString name = m_settings->value(u"LastUser"_s).toString();
    return name.isEmpty() ? u"admin"_s : name;
}

void LastUser::write(const QString& name)
{
    m_settings->setValue(u"LastUser"_s, name);
    m_settings->sync();
}

void LastUser::writeIfChanged(const QString& proposed, const QString& loggedIn)
{
    if (loggedIn != proposed)
        write(loggedIn);
}

QString decodeStoredPassword(const QString& stored)
{
    if (!stored.isEmpty() && cp1250::byteOf(stored.front()) >= 130)
        return DecodeTextB(stored);
    return DecodeTextA(stored);
}

void LoginCheck::reset()
{
    m_azon.clear();
    m_storedPassword.clear();
}

void LoginCheck::deNevChange()
{
    reset();
}

QString LoginCheck::lbAzon() const
{
    return m_azon.isEmpty() ? u"Azonosító:"_s : u"Azonosító: "_s + m_azon;
}

LoginCheck::Focus LoginCheck::deJelszoEnter(const QString& name)
{
    const auto found = m_users.findByName(name);
    if (!found) {
        ShowPlainMessage(found.error());
        return Focus::None;
    }
    if (!*found) {
        reset();
        Uzenet(u"A megadott felhasználónév nem található.;Kérem írjon be létezőt!"_s, u'I', u"R"_s);
        return Focus::Name;
    }
    m_storedPassword = (*found)->jelszo;
    m_azon = (*found)->azon;
    return Focus::None;
}

LoginCheck::Result LoginCheck::gmRnb1Click(const QString& name, const QString& password)
{
    if (!identified()) {
        const Focus focus = deJelszoEnter(name);
        if (!identified())
            return {false, focus};
    }
    if (m_storedPassword.isEmpty()) {
        Uzenet(u"A jelszavakat tartalmazó fájl megsérült.;Kérem gondoskodjon a helyreállításról!"_s, u'I',
               u"R"_s);
        return {false, Focus::Password};
    }
    if (password != decodeStoredPassword(m_storedPassword)) {
        Uzenet(u"A felhasználónévhez megadott jelszó hibás.;Kérem írja be helyesen!"_s, u'I', u"R"_s);
        return {false, Focus::Password};
    }
    return {true, Focus::None};
}
