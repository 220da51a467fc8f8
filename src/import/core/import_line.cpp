#include "core/import_line.h"

#include "core/fields.h"
#include "core/messages.h"
#include "core/text_utils.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kFieldWidth = 20;

// Blanks and control characters at both ends go, as when reading a text field.
QString trimmed(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= u' ')
        ++start;
    while (end > start && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(start, end - start);
}

// The first count ";"-separated fields of text in one pass, as ERTC reads
// them: the last character never separates, so a ";" at the very end opens
// no further field. Fewer views come back when fields are missing.
QList<QStringView> fieldViews(QStringView text, int count)
{
    QList<QStringView> views;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < text.size() && views.size() + 1 < count; ++i) {
        if (text[i] == u';') {
            views.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    if (!text.isEmpty()) {
        const qsizetype end = text.indexOf(u';', start);
        views.append(text.mid(start, end < 0 ? text.size() - start : end - start));
    }
    return views;
}

QString zeroForBlank(QString text)
{
    return text.replace(u' ', u'0');
}

// hh:mm followed by DE, DU, AM or PM as a 24-hour hh:mm:00.
QString twentyFourHourTime(const QString& field)
{
    const QString time = zeroForBlank(field);
    QString hour = time.mid(0, 2);
    const QString minute = time.mid(3, 2);
    const QString marker = time.mid(5, 2).toUpper();
    if (marker == u"DU" || marker == u"PM") {
        if (hour > u"00" && hour < u"12")
            hour = AddToNumber(hour, 12);
    } else if (marker == u"DE" || marker == u"AM") {
        if (hour == u"12")
            hour = SubtractFromNumber(hour, 12);
    } else {
        Uzenet(u"Import fájlban idő-formátum hiba!;De/Du vagy Am/Pm helyett: "_s + marker, u'H', u"R"_s);
        return time;
    }
    return hour + u':' + minute + u":00"_s;
}

} // namespace

std::optional<ForgRow> parseCollectorLine(const QString& line, const LineSource& source)
{
    if (line.size() < kMinimumCollectorLine) {
        Uzenet(u"A fájl egyik sora nem megfelelő vagy sérült !; ;"_s + source.fullName + u" ("_s +
                   QString::number(source.lineNumber) + u". sor) :;"_s + line +
                   u"; ;Beolvasásból kihagyva."_s,
               u'F', u"R"_s);
        return std::nullopt;
    }
    QString text = line;
    text.replace(u'\'', u':');
    text.replace(u'"', u':');
    for (int position : {10, 18, 23, 26, 64, 74})
        text[position - 1] = u';';
    QString fields[8];
    const QList<QStringView> found = fieldViews(text, 7);
    for (int n = 1; n <= 7; ++n) {
        // A missing field is left to ERTC, which reports it.
        fields[n] = n <= found.size() ? found[n - 1].left(kFieldWidth).toString() : ERTC(n, text, true);
        if (n >= 3)
            fields[n] = trimmed(fields[n]);
    }
    const QString date = zeroForBlank(fields[1]);

    ForgRow row;
    row.kezdnap = u"20"_s + date.mid(6, 2) + u'.' + date.mid(0, 2) + u'.' + date.mid(3, 2);
    row.kezdido = twentyFourHourTime(fields[2]);
    row.hossz = fields[6].left(8);
    row.hivoszam = fields[3];
    row.irany = fields[5].contains(u'<') && fields[5].contains(u'>') ? u"I"_s : u"O"_s;
    row.hivottszam = row.irany == u"I" ? ConvertCodePage(fields[5], u"win"_s) : fields[5];
    row.azon1 = fields[7];
    row.eszk1 = fields[3];
    row.nev1 = u"  "_s;
    row.eszk2 = fields[4];
    row.nev2 = u"  "_s;
    row.osszeg = row.irany == u"O" ? kNotPriced : 0;
    row.importfajl = source.name;
    return row;
}

ForgRow parseDelimitedLine(const QString& line, const LineSource& source)
{
    QString text = line;
    text.replace(u',', u';');
    QString f[16];
    for (int n = 1; n <= 15; ++n)
        f[n] = trimmed(ERTC(n, text, true)).left(kFieldWidth);
    f[1].replace(u'/', u'.');

    ForgRow row;
    row.kezdnap = trimmed(f[1].left(10));
    row.kezdido = trimmed(RightPart(f[1], 8));
    row.hossz = f[2];
    row.cseng = SafeStrToInt(f[3]);
    row.hivoszam = f[4];
    row.irany = f[5];
    row.hivottszam = f[6];
    row.azon1 = f[8];
    row.belso = f[9] == u"1";
    row.id = f[10] + u'-' + row.kezdnap;
    row.eszk1 = f[12];
    row.nev1 = f[13];
    row.eszk2 = f[14];
    row.nev2 = f[15];
    row.osszeg = f[5] == u"O" ? kNotPriced : 0;
    row.importfajl = source.name;
    return row;
}
