#include "core/line_parser.h"

#include "core/cp1250.h"
#include "core/text_utils.h"

#include <array>

using namespace Qt::StringLiterals;

QString cut(const QString& text, int start, int count)
{
    return text.mid(std::max(start, 1) - 1, std::max(count, 0));
}

namespace {

QString cutRange(const QString& line, ColumnRange range)
{
    return cut(line, range.first, range.last - range.first + 1);
}

QString padTwo(const QString& text)
{
    return PadLeft(text, u"0"_s, 2);
}

// Whole strings compared by their byte codes, as the PBX text is single-byte.
bool between(const QString& text, QStringView low, QStringView high)
{
    return cp1250::compare(text, low) >= 0 && cp1250::compare(text, high) <= 0;
}

// 1-based position of what in text; 0 when absent. An empty text is never found.
qsizetype find(const QString& what, const QString& text)
{
    return what.isEmpty() ? 0 : text.indexOf(what) + 1;
}

bool contains(const QString& text, const QString& what)
{
    return find(what, text) > 0;
}

// The text before separator; the remainder drops everything up to and
// including the separator's first character (nothing when it is absent), so a
// separator of several characters leaves its other characters in front.
QString splitOff(QString& rest, const QString& separator, bool& found)
{
    const qsizetype p = find(separator, rest);
    found = p > 0;
    const QString part = rest.left(std::max<qsizetype>(p - 1, 0));
    rest.remove(0, p);
    return part;
}

QString toUpperAscii(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return upper;
}

QString withoutDirectionMarks(QString number)
{
    number.remove(u'<');
    number.remove(u'>');
    return number;
}

// Collects the defects of one line.
class Checks {
public:
    explicit Checks(ParsedLine& result) : m_result(result) {}
    void fail(const QString& message)
    {
        m_result.defects.append(message);
        m_result.bad = true;
    }

private:
    ParsedLine& m_result;
};

void parseFixedColumns(const QString& line, ParsedLine& result)
{
    CallFields& f = result.fields;
    f.date = cut(line, 4, 2) + u'/' + cut(line, 1, 2) + u'/' + cut(line, 7, 2);
    f.time = cut(line, 10, 7);
    f.extension = cut(line, 18, 4);
    f.trunk = cut(line, 23, 2);
    f.number = cut(line, 26, 20);
    f.duration = cut(line, 47, 8);
    if (f.extension.contains(u'*')) {
        f.account = f.extension;
        f.account.remove(u'*');
        f.extension = u'X' + f.account;
    } else {
        f.extension = TrimBlanks(f.extension);
        f.account = u"...."_s;
    }
    if (f.extension.size() > 4 || f.account.size() > 4)
        result.bad = true;
}

QString parseDate(const QString& field, const CallRecordLayout& layout, Checks& checks)
{
    const QString& sep = layout.dateSeparator;
    const QString prefix = u"Dátumban ("_s + field + u") "_s;
    QString rest = field;
    bool found = false;
    std::array<QString, 3> parts;
    parts[0] = splitOff(rest, sep, found);
    if (!found)
        checks.fail(prefix + u"nincs tagoló: "_s + sep);
    parts[1] = splitOff(rest, sep, found);
    if (!found)
        checks.fail(prefix + u"csak egy tagoló van: "_s + sep);
    parts[2] = rest;

    // Which part is the day, the month and the year, by the date order.
    static constexpr std::array<std::array<int, 3>, 6> order = {{
        {0, 1, 2}, // nap-hó-év
        {1, 0, 2}, // hó-nap-év
        {0, 2, 1}, // nap-év-hó
        {2, 0, 1}, // hó-év-nap
        {1, 2, 0}, // év-nap-hó
        {2, 1, 0}, // év-hó-nap
    }};
    QString day, month, year;
    if (layout.dateOrder >= 0 && layout.dateOrder < int(order.size())) {
        const auto& o = order[layout.dateOrder];
        day = parts[o[0]];
        month = parts[o[1]];
        year = parts[o[2]];
    }

    if (year.size() <= 2)
        year = padTwo(year);
    else if (year.size() == 3)
        checks.fail(prefix + u"az év nem lehet 3 karakter: "_s + year);
    else if (year.size() == 4 && year.startsWith(u"20"))
        year.remove(0, 2);
    else if (year.size() == 4)
        checks.fail(prefix + u"az év 4 karakteres, de kezdete nem 20.. : "_s + year);
    else
        checks.fail(prefix + u"az év több, mint 4 karakter: "_s + year);

    // Month and day: at most two characters, padded, and within their range.
    const auto checkPart = [&](QString& part, const QString& name, int highest) {
        if (part.size() > 2)
            checks.fail(prefix + name + u" több, mint 2 karakter: "_s + part);
        else
            part = padTwo(part);
        const qint64 value = SafeStrToInt(part);
        if (value < 1 || value > highest)
            checks.fail(prefix + name + u", nem 1.."_s + QString::number(highest) + u" között van: "_s +
                        part);
    };
    checkPart(month, u"a hó"_s, 12);
    checkPart(day, u"a nap"_s, 31);

    return month + u'/' + day + u'/' + year;
}

QString parseTime(const QString& field, const CallRecordLayout& layout, Checks& checks)
{
    const QString t = toUpperAscii(field);
    const qsizetype p = find(layout.timeSeparator, t);
    if (p == 0)
        checks.fail(u"Időpontban ("_s + t + u") nincs tagoló: "_s + layout.timeSeparator);
    QString hour = padTwo(cut(t, int(p) - 2, 2));
    const QString minute = padTwo(cut(t, int(p) + 1, 2));
    QString marker = u"??"_s;
    if (layout.clock24) {
        if (hour == u"24")
            hour = u"00"_s;
        if (between(hour, u"00", u"11")) {
            marker = u"DE"_s;
            if (hour == u"00")
                hour = u"12"_s;
        } else if (between(hour, u"12", u"23")) {
            marker = u"DU"_s;
            if (hour != u"12")
                hour = IncTrailingNumber(hour, -12);
        } else {
            checks.fail(u"24 órás időpontban ("_s + t + u") az óra hibás: "_s + hour);
        }
    } else {
        if (!between(hour, u"01", u"12"))
            checks.fail(u"12 órás időpontban ("_s + t + u") az óra hibás: "_s + hour);
        if (contains(t, toUpperAscii(layout.amMarker)))
            marker = u"DE"_s;
        else if (contains(t, toUpperAscii(layout.pmMarker)))
            marker = u"DU"_s;
        else
            checks.fail(u"12 órás időpontban ("_s + t + u") hiányzó DE/DU jelölő: "_s + layout.amMarker +
                        u'/' + layout.pmMarker);
    }
    if (!between(minute, u"00", u"59"))
        checks.fail(u"Időpontban ("_s + t + u") a perc hibás: "_s + minute);
    return hour + u':' + minute + marker;
}

QString parseDuration(const QString& field, const CallRecordLayout& layout, Checks& checks)
{
    const QString prefix = u"Tartamban ("_s + field + u") "_s;
    QString rest = field;
    bool found = false;
    QString hours = splitOff(rest, layout.minuteSeparator, found);
    if (!found)
        checks.fail(prefix + u"nincs perc tagoló: "_s + layout.minuteSeparator);
    QString minutes = splitOff(rest, layout.secondSeparator, found);
    if (!found)
        checks.fail(prefix + u"nincs m.perc tagoló: "_s + layout.secondSeparator);
    QString seconds = rest;

    const auto checkWidth = [&](QString& part, const QString& name) {
        if (part.size() > 2)
            checks.fail(prefix + name + u" több, mint 2 karakter: "_s + part);
        else
            part = padTwo(part);
    };
    checkWidth(hours, u"az óra"_s);
    checkWidth(minutes, u"a perc"_s);
    checkWidth(seconds, u"a m.perc"_s);
    // Seconds out of range are reported with the minutes' text.
    for (const QString& part : {minutes, seconds}) {
        if (!between(part, u"00", u"59"))
            checks.fail(prefix + u"a perc hibás: "_s + part);
    }
    return hours + u':' + minutes + u'\'' + seconds;
}

void parseExtensionAndAccount(const QString& line, const CallRecordLayout& layout, int outputMode,
                              CallFields& f, Checks& checks)
{
    const QString e = cutRange(line, layout.extension);
    f.account = u"...."_s;
    f.extension = e;
    if (layout.accountCodes && layout.accountInExtension) {
        if (contains(e, layout.accountMark)) {
            f.account = e;
            f.account.remove(layout.accountMark);
            f.extension = u'X' + f.account;
        } else {
            f.extension = TrimBlanks(e);
        }
    } else if (layout.accountCodes) {
        f.account = cutRange(line, layout.account);
    }
    if (outputMode == kOutputFixedWidth) {
        if (f.extension.size() > 4)
            checks.fail(u"Mellék száma hosszabb 4 karakternél: "_s + e);
        if (f.account.size() > 4)
            checks.fail(u"Account hosszabb 4 karakternél: "_s + e);
    }
}

void parseNumber(const QString& line, const CallRecordLayout& layout, CallFields& f, Checks& checks)
{
    const QString n = cutRange(line, layout.number);
    bool incoming = false;
    if (layout.directionFromNumber) {
        // Every item must occur; an empty item never does.
        const QStringList marks = layout.incomingMarks.split(u',');
        incoming = std::all_of(marks.begin(), marks.end(), [&](const QString& m) { return contains(n, m); });
    } else {
        incoming = cutRange(line, layout.direction) != layout.outgoingValue;
    }
    if (!incoming)
        f.number = withoutDirectionMarks(n);
    else if (layout.directionFromNumber && layout.incomingMarks == u"<,>")
        f.number = n;
    else
        f.number = QString(u"<->"_s + n).left(36);
    if (f.number.size() > 36)
        checks.fail(u"Telefonszám hosszabb 36 karakternél: "_s + n);
}

void parseConfigured(const QString& line, const CallRecordLayout& layout, int outputMode, ParsedLine& result)
{
    Checks checks(result);
    CallFields& f = result.fields;
    f.date = parseDate(cutRange(line, layout.date), layout, checks);
    f.time = parseTime(cutRange(line, layout.time), layout, checks);
    parseExtensionAndAccount(line, layout, outputMode, f, checks);
    f.trunk = cutRange(line, layout.trunk);
    if (outputMode == kOutputFixedWidth && f.trunk.size() > 2)
        checks.fail(u"Fővonal száma hosszabb 2 karakternél: "_s + f.trunk);
    parseNumber(line, layout, f, checks);
    f.duration = parseDuration(cutRange(line, layout.duration), layout, checks);
}

} // namespace

LineParser::LineParser() : m_lineEnd(kLineEndCrLf) {}

void LineParser::setLayout(const CallRecordLayout& layout)
{
    m_layout = layout;
    if (const auto lineEnd = lineEndOf(layout.lineEndChoice))
        m_lineEnd = *lineEnd;
}

qsizetype LineParser::lineEndPosition(const QString& text) const
{
    return text.indexOf(m_lineEnd);
}

std::optional<QString> LineParser::takeLine(const QString& text)
{
    QString all = m_remainder + text;
    m_remainder.clear();
    const qsizetype p = lineEndPosition(all);
    if (p < 0) {
        m_remainder = std::move(all);
        return std::nullopt;
    }
    const qsizetype end = p + m_lineEnd.size();
    m_remainder = all.mid(end);
    all.truncate(end);
    return all;
}

bool LineParser::hasCompleteLine() const
{
    return lineEndPosition(m_remainder) >= 0;
}

QString LineParser::takeRemainder()
{
    return std::exchange(m_remainder, QString());
}

ParsedLine LineParser::parse(const QString& line) const
{
    ParsedLine result;
    switch (m_type.layoutType) {
    case kLayoutPassThrough:
    case kLayoutPassThroughToo:
        result.line = line;
        break;
    case kLayoutFixedColumns:
        result.hasFields = true;
        parseFixedColumns(line, result);
        break;
    case kLayoutConfigured:
        result.hasFields = true;
        parseConfigured(line, m_layout, m_type.outputMode, result);
        break;
    default:
        break; // no fields: the record line stays empty
    }
    return result;
}
