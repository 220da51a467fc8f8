#include "ui/edit_mask.h"

using namespace Qt::StringLiterals;

namespace {

// Characters with a meaning in Qt's masks; as literals they need a "\".
bool isQtMaskMeta(QChar c)
{
    return u"AaNnXx90Dd#HhBb><!\\[]{};"_s.contains(c);
}

// Builds the Qt mask and, beside it, the field's characters.
struct MaskBuilder {
    QString qt;
    QString emptyText;
    QList<bool> editable;
    QChar blank;

    void place(QChar qtLetter)
    {
        qt += qtLetter;
        emptyText += blank;
        editable.append(true);
    }
    void literal(QChar c)
    {
        if (isQtMaskMeta(c))
            qt += u'\\';
        qt += c;
        emptyText += c;
        editable.append(false);
    }
    void caseSwitch(QChar qtSwitch) { qt += qtSwitch; }
};

// The mask part: up to the first ";" that is not made literal by "\".
qsizetype maskEnd(const QString& mask)
{
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == u'\\')
            ++i;
        else if (mask[i] == u';')
            return i;
    }
    return mask.size();
}

} // namespace

EditMask translateEditMask(const QString& mask)
{
    EditMask result;
    const qsizetype end = maskEnd(mask);
    const QStringList options = mask.mid(end + 1).split(u';');
    if (end < mask.size()) {
        result.keepLiterals = options.value(0) != u"0";
        // The blank is the first character of the last field; ";" itself may be it.
        if (options.size() >= 2 && !options.at(1).isEmpty())
            result.blank = options.at(1).front();
        else if (options.size() >= 3)
            result.blank = u';';
    }

    MaskBuilder out{QString(), QString(), {}, result.blank};
    const QString body = mask.left(end);
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        switch (c.unicode()) {
        case u'\\':
            if (i + 1 < body.size())
                out.literal(body[++i]);
            break;
        case u'0':
            out.place(u'9');
            break;
        case u'9':
            out.place(u'0');
            break;
        case u'#':
            out.place(u'#');
            break;
        case u'L':
            out.place(u'A');
            break;
        case u'l':
            out.place(u'a');
            break;
        case u'A':
            out.place(u'N');
            break;
        case u'a':
            out.place(u'n');
            break;
        case u'C':
            out.place(u'X');
            break;
        case u'c':
            out.place(u'x');
            break;
        case u'>':
            out.caseSwitch(u'>');
            break;
        case u'<':
            if (i + 1 < body.size() && body[i + 1] == u'>') {
                out.caseSwitch(u'!');
                ++i;
            } else {
                out.caseSwitch(u'<');
            }
            break;
        case u'!':
            break;
        case u'/':
            out.literal(u'.');
            break;
        case u'_':
            out.literal(u' ');
            break;
        default:
            out.literal(c);
        }
    }
    if (!out.qt.isEmpty())
        result.inputMask = out.qt + u';' + result.blank;
    result.emptyText = out.emptyText;
    result.editable = out.editable;
    return result;
}
