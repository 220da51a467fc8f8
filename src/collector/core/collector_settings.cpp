#include "core/collector_settings.h"

#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/kalvix_settings.h"
#include "core/password.h"
#include "core/pbx_type.h"
#include "core/text_utils.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kHighestPosition = 1000;

QString administratorKey(const QString& prefix, int entry)
{
    return prefix + QString::number(entry);
}

// Characters of the code page that can be typed (no control characters).
bool typeable(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return cp1250::byteOf(c) >= 32; });
}

// Settings files lose blanks and tabs at both ends of a value; a code that
// happens to end in one is drawn again, so that what is read back decodes.
QString encodeForSettings(const QString& text)
{
    for (;;) {
        const QString value = EncodeTextB(text, kAdministratorCodeWidth);
        const QChar lastChar = value.isEmpty() ? QChar() : value.back();
        if (lastChar != u' ' && lastChar != u'\t')
            return value;
    }
}

} // namespace

const std::array<LayoutRow, 9>& layoutRows()
{
    static const std::array<LayoutRow, 9> rows = {{
        {u"Dátum"_s, u"Dat"_s, &CallRecordLayout::date},
        {u"Időpont"_s, u"Ido"_s, &CallRecordLayout::time},
        {u"Mellék*"_s, u"Mel"_s, &CallRecordLayout::extension},
        {u"Fővonal"_s, u"Fov"_s, &CallRecordLayout::trunk},
        {u"Tel.szám**"_s, u"Tel"_s, &CallRecordLayout::number},
        {u"Tartam"_s, u"Trt"_s, &CallRecordLayout::duration},
        {u"---"_s, u"Kod"_s, &CallRecordLayout::code},
        {u"Account*"_s, u"Acc"_s, &CallRecordLayout::account},
        {u"Hív.irány**"_s, u"Hiv"_s, &CallRecordLayout::direction},
    }};
    return rows;
}

QStringList dateOrderNames()
{
    return {u"nap-hó-év"_s, u"hó-nap-év"_s, u"nap-év-hó"_s, u"hó-év-nap"_s, u"év-nap-hó"_s, u"év-hó-nap"_s};
}

QStringList lineEndNames()
{
    return {u"CR-LF (#13-10)"_s, u"LF-CR (#10-13)"_s};
}

QString positionCellText(int position)
{
    return position == 0 ? QString() : QString::number(position);
}

PositionCellCheck dxtLeirEdited(const QString& typed)
{
    const QString text = TrimBlanks(typed);
    if (text.isEmpty())
        return {QString(), false};
    const std::optional<qint64> value = parseInteger(text);
    if (!value)
        return {QString(), true};
    if (*value < 0 || *value > kHighestPosition)
        return {u"0"_s, true};
    return {QString::number(*value), false};
}

int positionToStore(const QString& cell)
{
    const std::optional<qint64> value = parseInteger(TrimBlanks(cell));
    return value && *value >= 0 && *value <= kHighestPosition ? int(*value) : 0;
}

LayoutEditorValues IniLoad(const IniFile& ini)
{
    LayoutEditorValues values;
    values.other = readLayout(ini);
    for (size_t row = 0; row < layoutRows().size(); ++row) {
        const ColumnRange range = values.other.*layoutRows()[row].range;
        values.first[row] = positionCellText(range.first);
        values.last[row] = positionCellText(range.last);
    }
    return values;
}

FileResult IniSave(IniFile& ini, const LayoutEditorValues& values)
{
    const CallRecordLayout& l = values.other;
    QList<std::pair<QString, qint64>> numbers;
    for (size_t row = 0; row < layoutRows().size(); ++row) {
        numbers.append({layoutRows()[row].keyPrefix + u"Kzd"_s, positionToStore(values.first[row])});
        numbers.append({layoutRows()[row].keyPrefix + u"Veg"_s, positionToStore(values.last[row])});
    }
    numbers.append({u"DatSor"_s, l.dateOrder});
    numbers.append({u"LineFd"_s, l.lineEndChoice});
    const QList<std::pair<QString, QString>> texts = {
        {u"DatVal"_s, l.dateSeparator}, {u"IdoVal"_s, l.timeSeparator},   {u"IdoDEJ"_s, l.amMarker},
        {u"IdoDUJ"_s, l.pmMarker},      {u"TrtMin"_s, l.minuteSeparator}, {u"TrtSec"_s, l.secondSeparator},
        {u"AccJel"_s, l.accountMark},   {u"HivBEJ"_s, l.incomingMarks},   {u"HivKIJ"_s, l.outgoingValue},
    };
    const QList<std::pair<QString, bool>> flags = {
        {u"Ido24E"_s, l.clock24},
        {u"AccVan"_s, l.accountCodes},
        {u"AccEgy"_s, l.accountInExtension},
        {u"HivEgy"_s, l.directionFromNumber},
    };
    for (const auto& [key, value] : numbers) {
        if (FileResult written = ini.writeInteger(kSectionLayout, key, value); !written)
            return written;
    }
    for (const auto& [key, value] : texts) {
        if (FileResult written = ini.writeString(kSectionLayout, key, value); !written)
            return written;
    }
    for (const auto& [key, value] : flags) {
        if (FileResult written = ini.writeBool(kSectionLayout, key, value); !written)
            return written;
    }
    return {};
}

QString pbxTypeTextOf(const QString& kind)
{
    if (kind.isEmpty())
        return QString();
    for (const QString& text : pbxTypeListTexts()) {
        if (text.left(8) == kind)
            return text;
    }
    return QString();
}

bool isConfiguredType(const QString& typeText)
{
    return typeText.left(5) == u"1-999";
}

QString administratorName(const IniFile& ini, int entry)
{
    return DecodeTextB(ini.readString(kSectionAdmin, administratorKey(u"NEV"_s, entry)));
}

QString administratorLabel(const QString& name)
{
    return name.isEmpty() ? kNoAdministrator : name;
}

QString administratorEditorTitle(int entry)
{
    return QString::number(entry) + u". bejegyzés szerkesztése vagy törlése"_s;
}

std::optional<QString> administratorRefusal(int entry, const QString& name, const QString& password,
                                            const QString& passwordAgain)
{
    if (entry == 1 && name.isEmpty())
        return u"1. azonosító nem törölhető!"_s;
    if (name.toLower() == kNoAdministrator)
        return u"Ezt nem adhatja azonosítónak!"_s;
    if (name.isEmpty() && !password.isEmpty())
        return u"Azonosító nem lehet üres!"_s;
    if (password != passwordAgain)
        return u"A kétszer megadott jelszó nem azonos!"_s;
    // Longer texts do not fit the stored code; characters outside the code
    // page would be stored as "?" and could never be typed again.
    if (name.size() > kAdministratorMaxLength || password.size() > kAdministratorMaxLength)
        return u"Az azonosító és a jelszó legfeljebb 15 karakter lehet!"_s;
    if (!typeable(name) || !typeable(password))
        return u"Az azonosító és a jelszó csak magyar (Windows-1250) betűket, számokat és jeleket tartalmazhat!"_s;
    return std::nullopt;
}

std::expected<void, QString> storeAdministrator(IniFile& ini, int entry, const QString& name,
                                                const QString& password, const QString& passwordAgain)
{
    if (const auto refusal = administratorRefusal(entry, name, password, passwordAgain))
        return std::unexpected(*refusal);
    const bool clear = name.isEmpty();
    const QString nameValue = clear ? QString() : encodeForSettings(name);
    const QString passwordValue = clear ? QString() : encodeForSettings(password);
    if (FileResult written = ini.writeString(kSectionAdmin, administratorKey(u"NEV"_s, entry), nameValue);
        !written)
        return written;
    return ini.writeString(kSectionAdmin, administratorKey(u"PWD"_s, entry), passwordValue);
}
