#include "core/parameter_store.h"

#include "core/fields.h"
#include "core/messages.h"
#include "core/text_utils.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

void reportInternal(const QString& text)
{
    Uzenet(text, u'B', u"R"_s);
}

bool isTextType(QChar type)
{
    return type == u'C' || type == u'M' || type == u'N' || type == u'R';
}

// An INI file can be used when its folder exists and the name is free or
// names a readable file.
bool iniFileUsable(const QString& name)
{
    const QFileInfo info(name);
    if (!info.absoluteDir().exists())
        return false;
    return !info.exists() || (info.isFile() && info.isReadable());
}

} // namespace

bool ParameterItem::isKnownType(QChar type)
{
    return type == u'L' || isTextType(type);
}

ParameterItem ParameterItem::parse(const QString& item)
{
    ParameterItem p;
    p.page = ERTN(1, item);
    const int code = ERTB(2, item);
    p.type = code > 0 ? QChar(char16_t(code)) : QChar();
    if (!isKnownType(p.type))
        return p;
    p.caption = ERTC(3, item, true);
    p.defaultValue = ERTC(4, item, true);
    p.section = ERTC(5, item, true);
    p.key = ERTC(6, item, true);
    if (p.type == u'M')
        p.mask = ERTC(7, item, true);
    return p;
}

bool ParameterStore::Init(const QString& caption, const QString& iniFileName, const QStringList& pages,
                          const QStringList& params)
{
    if (isInitialised()) {
        reportInternal(u"SETUP második inicializálási kisérlet."_s);
        return false;
    }
    if (iniFileName.isEmpty()) {
        reportInternal(u"INI-fájl neve nincs megadva."_s);
        return false;
    }
    if (!iniFileUsable(iniFileName)) {
        Uzenet(u"INI-fájl létrehozási hiba: "_s + iniFileName, u'H', u"R"_s);
        return false;
    }
    if (m_decimalSeparator.isNull()) {
        const QString point = QLocale().decimalPoint();
        m_decimalSeparator = point.isEmpty() ? u'.' : point.front();
    }
    m_ini = IniFile(iniFileName);
    m_caption = caption;
    m_controls.clear();
    m_paramList.clear();
    m_firstControl.reset();
    for (int page = 0; page < pages.size(); ++page) {
        m_pages.append(pages[page]);
        int row = 0;
        for (const QString& item : params) {
            if (ERTN(1, item) != page + 1)
                continue;
            const ParameterItem p = ParameterItem::parse(item);
            if (!ParameterItem::isKnownType(p.type))
                continue;
            Control control;
            control.page = page;
            control.row = row++;
            control.type = p.type;
            control.label = PadLeft(QString::number(row), u" "_s, 2) + u". "_s + p.caption;
            if (p.type == u'M')
                control.editMask = p.mask + u";1; "_s;
            const int index = int(m_controls.size());
            m_controls.append(control);
            m_paramList.append(
                QStringList{QString::number(index), QString(p.type), p.defaultValue, p.section, p.key}.join(
                    u';'));
            if (!m_firstControl && page == 0)
                m_firstControl = index;
        }
    }
    LoadParams();
    return true;
}

bool ParameterStore::checkExecute() const
{
    if (!isInitialised()) {
        reportInternal(u"SETUP nincs inicializálva."_s);
        return false;
    }
    return true;
}

std::optional<ParameterStore::Entry> ParameterStore::find(const QString& key) const
{
    // The table is scanned from the start and the first exact key wins; the
    // section takes no part.
    for (const QString& line : m_paramList) {
        if (line.section(u';', 4) != key)
            continue;
        Entry entry;
        entry.control = line.section(u';', 0, 0).toInt();
        entry.type = line.section(u';', 1, 1).front();
        entry.defaultValue = line.section(u';', 2, 2);
        entry.section = line.section(u';', 3, 3);
        entry.key = key;
        return entry;
    }
    return std::nullopt;
}

void ParameterStore::setText(int control, const QString& text)
{
    if (control >= 0 && control < m_controls.size())
        m_controls[control].text = text;
}

void ParameterStore::setChecked(int control, bool checked)
{
    if (control >= 0 && control < m_controls.size())
        m_controls[control].checked = checked;
}

QString ParameterStore::ParamC(const QString& key) const
{
    const auto entry = find(key);
    if (!entry) {
        reportInternal(u"Nincs ilyen nevű paraméter: "_s + key);
        return QString();
    }
    const Control& control = m_controls[entry->control];
    if (entry->type == u'L') {
        reportInternal(u"A paraméter LOGIKAI: "_s + key);
        // The caller asked for text: the value as the file stores it.
        return control.checked ? u"1"_s : u"0"_s;
    }
    return control.text;
}

int ParameterStore::ParamN(const QString& key) const
{
    const std::optional<qint64> value = parseInteger(ParamC(key));
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        reportInternal(u"Paraméter értéke nem szám: "_s + key);
        return 0;
    }
    return int(*value);
}

bool ParameterStore::ParamL(const QString& key) const
{
    const auto entry = find(key);
    if (!entry) {
        reportInternal(u"Nincs ilyen nevű paraméter: "_s + key);
        return false;
    }
    const Control& control = m_controls[entry->control];
    if (entry->type != u'L') {
        reportInternal(u"A paraméter nem LOGIKAI: "_s + key);
        // Read as the file reads a logical value: a non-zero integer is yes.
        return parseInteger(control.text).value_or(0) != 0;
    }
    return control.checked;
}

double ParameterStore::ParamR(const QString& key) const
{
    QString text = ParamC(key);
    const QChar local = m_decimalSeparator.isNull() ? u'.' : m_decimalSeparator;
    if (local != u'.') {
        const qsizetype dot = text.indexOf(u'.');
        if (dot >= 0)
            text[dot] = local;
    }
    if (local != u',') {
        const qsizetype comma = text.indexOf(u',');
        if (comma >= 0)
            text[comma] = local;
    }
    return SafeStrToFloat(text);
}

void ParameterStore::WriteParamC(const QString& key, const QString& value)
{
    const auto entry = find(key);
    if (!entry) {
        reportInternal(u"Nincs ilyen nevű paraméter: "_s + key);
        return;
    }
    if (entry->type != u'C') {
        reportInternal(u"Az IRANDÓ paraméter nem karakteres: "_s + key);
        return;
    }
    m_controls[entry->control].text = value;
    write(entry->section, key, value);
}

void ParameterStore::LoadParams()
{
    for (const QString& line : m_paramList) {
        // Keys may repeat: each line loads its own control.
        const int index = line.section(u';', 0, 0).toInt();
        const QChar type = line.section(u';', 1, 1).front();
        const QString defaultValue = line.section(u';', 2, 2);
        const QString section = line.section(u';', 3, 3);
        const QString key = line.section(u';', 4);
        Control& control = m_controls[index];
        if (type == u'L')
            control.checked = m_ini.readBool(section, key, ERTL(1, defaultValue));
        else
            control.text = m_ini.readString(section, key, defaultValue);
    }
}

bool ParameterStore::write(const QString& section, const QString& key, const QString& value)
{
    const FileResult written = m_ini.writeString(section, key, value);
    if (!written) {
        Uzenet(u"INI-fájl írási hiba: "_s + m_ini.path() + u";"_s + written.error(), u'H', u"R"_s);
        return false;
    }
    return true;
}

bool ParameterStore::SaveParams()
{
    for (const QString& line : m_paramList) {
        const Control& control = m_controls[line.section(u';', 0, 0).toInt()];
        const QString value = control.type == u'L' ? (control.checked ? u"1"_s : u"0"_s) : control.text;
        if (!write(line.section(u';', 3, 3), line.section(u';', 4), value))
            return false;
    }
    return true;
}

int pageAfterPageUp(int current, int pageCount)
{
    if (pageCount <= 0)
        return 0;
    return current <= 0 ? pageCount - 1 : current - 1;
}

int pageAfterPageDown(int current, int pageCount)
{
    if (pageCount <= 0)
        return 0;
    return current >= pageCount - 1 ? 0 : current + 1;
}
