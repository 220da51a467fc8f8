#include "core/record_line.h"

#include "core/fields.h"
#include "core/pbx_type.h"
#include "core/text_utils.h"

using namespace Qt::StringLiterals;

namespace {

QString padded(const QString& text, int width)
{
    return PadRight(text, u" "_s, width);
}

QString csvField(QString text)
{
    text.remove(u';');
    return TrimBlanks(text);
}

QString zeroForBlank(QString text)
{
    return text.replace(u' ', u'0');
}

} // namespace

QString fixedWidthLine(const CallFields& f)
{
    return padded(f.date, 8) + u"  "_s + padded(f.time, 7) + u' ' + padded(f.extension, 4) + u' ' +
           padded(f.trunk, 2) + u' ' + padded(f.number, 36) + u"  "_s + padded(f.duration, 8) + u"\" "_s +
           padded(f.account, 4) + u"  "_s;
}

QString semicolonLine(const QString& checkDate, const CallFields& f)
{
    QString duration = f.duration;
    duration.replace(u'\'', u':');
    const QString fields[] = {checkDate, f.time, duration, f.extension, f.trunk, f.number, f.account};
    QString line = u"CSV"_s;
    for (const QString& field : fields)
        line += u';' + csvField(field);
    return line;
}

RecordDate recordDate(int outputMode, const QString& recordLine, const QDate& dayOfReceipt)
{
    if (outputMode == kOutputByDayOfReceipt) {
        const QString day = DateToText(dayOfReceipt);
        return {day, day};
    }
    if (outputMode == kOutputFixedWidth || outputMode == kOutputSemicolon) {
        const QString month = zeroForBlank(recordLine.mid(0, 2));
        const QString day = zeroForBlank(recordLine.mid(3, 2));
        const QString year = zeroForBlank(recordLine.mid(6, 2));
        return {month + day + year, u"20"_s + year + u'.' + month + u'.' + day};
    }
    return {};
}

RecordLine buildRecordLine(int outputMode, const ParsedLine& parsed, const QDate& dayOfReceipt)
{
    RecordLine record;
    record.text = parsed.hasFields ? fixedWidthLine(parsed.fields) : parsed.line;
    record.date = recordDate(outputMode, record.text, dayOfReceipt);
    if (outputMode == kOutputSemicolon)
        record.text = semicolonLine(record.date.checkDate, parsed.hasFields ? parsed.fields : CallFields{});
    return record;
}

QString displayText(int outputMode, const RecordLine& record)
{
    QString text;
    if (outputMode == kOutputSemicolon) {
        QStringList parts;
        for (int n = 2; n <= 7; ++n)
            parts.append(ERTC(n, record.text, false));
        text = parts.join(u" - "_s);
    } else {
        text = ReplaceAt(record.text.left(74), 1, 8, record.date.checkDate);
    }
    // The pass-through types keep the PBX's line end; a list line cannot hold it.
    text.remove(u'\r');
    text.remove(u'\n');
    return ConvertCodePage(text, u"win"_s);
}
