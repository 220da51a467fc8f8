#include "core/text_utils.h"

#include "core/cp1250.h"
#include "core/messages.h"

#include <array>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

QString RightPart(const QString& text, int n)
{
    if (n <= 0)
        return QString();
    return text.right(n);
}

QString RepeatText(const QString& text, int count)
{
    return count <= 0 ? QString() : text.repeated(count);
}

QString TrimRightBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

QString TrimLeftBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.mid(start);
}

QString TrimBlanks(const QString& text)
{
    return TrimLeftBlanks(TrimRightBlanks(text));
}

namespace {

// How many copies of fill lengthen text to at least width.
qsizetype fillCount(const QString& text, const QString& fill, int width)
{
    if (fill.isEmpty() || text.size() >= width)
        return 0;
    return (width - text.size() + fill.size() - 1) / fill.size();
}

} // namespace

QString PadLeft(const QString& text, const QString& fill, int width)
{
    const qsizetype count = fillCount(text, fill, width);
    return count == 0 ? text : fill.repeated(count) + text;
}

QString PadRight(const QString& text, const QString& fill, int width)
{
    const qsizetype count = fillCount(text, fill, width);
    return count == 0 ? text : text + fill.repeated(count);
}

namespace {

constexpr int kLetters = 18;
using CodePageRow = std::array<unsigned char, kLetters>;

// The bytes of á é í ó ö ő ú ü ű Á É Í Ó Ö Ő Ú Ü Ű in each code page.
constexpr std::array<CodePageRow, 5> kCodePages = {{
    {0xE1, 0xE9, 0xED, 0xF3, 0xF6, 0xF5, 0xFA, 0xFC, 0xFB, 0xC1, 0xC9, 0xCD, 0xD3, 0xD6, 0xD5, 0xDA, 0xDC,
     0xDB},
    {0xA0, 0x82, 0xA1, 0xA2, 0x94, 0x8B, 0xA3, 0x81, 0xFB, 0xB5, 0x90, 0xD6, 0xE0, 0x99, 0x8A, 0xE9, 0x9A,
     0xEB},
    {0xA0, 0x82, 0xA1, 0xA2, 0x94, 0x93, 0xA3, 0x81, 0x96, 0x8F, 0x90, 0x8D, 0x95, 0x99, 0xA7, 0x97, 0x9A,
     0x98},
    {0xA0, 0x82, 0xA1, 0xA2, 0x94, 0x93, 0xA3, 0x81, 0x96, 0x8F, 0x90, 0xA1, 0xA2, 0x99, 0x93, 0xA3, 0x9A,
     0x96},
    {'a', 'e', 'i', 'o', 'o', 'o', 'u', 'u', 'u', 'A', 'E', 'I', 'O', 'O', 'O', 'U', 'U', 'U'},
}};
constexpr int kTargetOnlyRow = 4; // "ENG": accents stripped, never a source

int codePageRow(const QString& name)
{
    static const std::array<QString, 5> names = {u"WIN"_s, u"852"_s, u"CWI"_s, u"437"_s, u"ENG"_s};
    for (int row = 0; row < int(names.size()); ++row) {
        if (name.compare(names[row], Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

} // namespace

QString ConvertCodePage(const QString& text, const QString& target)
{
    const int targetRow = codePageRow(target);
    if (targetRow < 0) {
        ShowPlainMessage(u"Nincs ilyen kódlap: "_s + target);
        return text;
    }
    QString result = text;
    for (QChar& c : result) {
        const int byte = cp1250::byteOf(c);
        if (byte < 0)
            continue;
        // Each character is converted at most once, by the first source row
        // and letter that hold its byte.
        bool converted = false;
        for (int row = 0; row < kTargetOnlyRow && !converted; ++row) {
            if (row == targetRow)
                continue;
            for (int letter = 0; letter < kLetters; ++letter) {
                if (kCodePages[row][letter] == byte) {
                    c = cp1250::charOf(kCodePages[targetRow][letter]);
                    converted = true;
                    break;
                }
            }
        }
    }
    return result;
}

std::optional<qint64> parseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate negatively so that the smallest 64-bit number fits too.
    qint64 value = 0;
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

qint64 SafeStrToInt(const QString& text)
{
    return parseInteger(text).value_or(0);
}

double SafeStrToFloat(const QString& text)
{
    QString normal = text.trimmed();
    normal.replace(u',', u'.');
    bool ok = false;
    const double value = normal.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString AddToNumber(const QString& text, qint64 n)
{
    return PadLeft(QString::number(SafeStrToInt(text) + n), u"0"_s, int(text.size()));
}

QString SubtractFromNumber(const QString& text, qint64 n)
{
    return AddToNumber(text, -n);
}

QString IncTrailingNumber(const QString& text, qint64 n)
{
    qsizetype start = text.size();
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    while (start > 0 && text.size() - start < 9 && isDigit(text[start - 1]))
        --start;
    if (start == text.size()) {
        ShowPlainMessage(u"Nem növelhető: "_s + text);
        return text;
    }
    return text.left(start) + AddToNumber(text.mid(start), n);
}

QString ReplaceAt(const QString& text, int position, int count, const QString& insert)
{
    const qsizetype pos = std::max(position, 1);
    if (text.size() < pos)
        return text + insert;
    QString result = text;
    result.remove(pos - 1, std::max(count, 0));
    if (result.size() < pos)
        return result + insert;
    return result.insert(pos - 1, insert);
}

QString DateToText(const QDate& date)
{
    return QString::number(date.year()) + u'.' + PadLeft(QString::number(date.month()), u"0"_s, 2) + u'.' +
           PadLeft(QString::number(date.day()), u"0"_s, 2);
}

std::optional<QDate> TextToDate(const QString& text)
{
    const QDate date(int(SafeStrToInt(text.mid(0, 4))), int(SafeStrToInt(text.mid(5, 2))),
                     int(SafeStrToInt(text.mid(8, 2))));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString TimeToText(const QTime& time)
{
    return time.toString(u"HH:mm:ss"_s);
}

std::optional<QTime> TextToTime(const QString& text)
{
    const QTime time(int(SafeStrToInt(text.mid(0, 2))), int(SafeStrToInt(text.mid(3, 2))),
                     int(SafeStrToInt(text.mid(6, 2))));
    if (!time.isValid())
        return std::nullopt;
    return time;
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

namespace {

// The first defect of a yyyy.mm.dd date, as the text the user sees; empty
// when the date is valid.
QString dateDefect(const QString& text)
{
    if (TrimBlanks(text).size() != 10)
        return u"Dátum hossza csak tíz karakter lehet.\rLegalább és legfeljebb is."_s;
    for (QChar c : text) {
        if (c != u'.' && (c < u'0' || c > u'9'))
            return u"Dátumban csak számjegy és pont szerepelhet.\rSzóköz sem lehet."_s;
    }
    const int year = int(SafeStrToInt(text.mid(0, 4)));
    const int month = int(SafeStrToInt(text.mid(5, 2)));
    const int day = int(SafeStrToInt(text.mid(8, 2)));
    if (year == 0)
        return u"Évszám nem lehet nulla."_s;
    if (month < 1 || month > 12)
        return u"Hónapok értéke 1 - 12 lehet."_s;
    if (day == 0)
        return u"Napok értéke nem lehet nulla."_s;
    if (day > DaysInMonth(year, month))
        return u"Napok száma "_s + text.left(7) + u" hónapban "_s +
               QString::number(DaysInMonth(year, month)) + u'.';
    return QString();
}

} // namespace

bool IsValidDate(const QString& text, bool showError)
{
    if (text == QStringView(kBlankDate))
        return true;
    const QString defect = dateDefect(text);
    if (defect.isEmpty())
        return true;
    if (showError)
        Parbeszed(4, defect, DialogPosition::centre(), 8, DialogSize::small());
    return false;
}

qint64 RoundHalfAway(double x)
{
    double whole = 0;
    const double fraction = std::modf(x, &whole);
    if (std::fabs(fraction) == 0.5)
        x += x < 0 ? -0.01 : 0.01;
    return std::llround(x);
}

namespace {
DateFormats currentFormats;
}

void SetDateFormats()
{
    currentFormats = DateFormats();
}

const DateFormats& dateFormats()
{
    return currentFormats;
}
