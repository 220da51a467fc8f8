#include "core/fields.h"

#include "core/cp1250.h"
#include "core/messages.h"
#include "core/text_utils.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

void reportInternalError(const QString& text)
{
    Uzenet(text, u'B', u"R"_s, QString());
}

} // namespace

QString ERTC(int n, const QString& text, bool showError)
{
    if (text.isEmpty()) {
        if (showError)
            reportInternalError(u"ERTC funkció - Üres paraméter."_s);
        return QString();
    }
    // The last character never counts as a separator: a ";" at the very end
    // does not open a further field.
    int count = 1;
    qsizetype pos = 0;
    while (count < n && pos < text.size() - 1) {
        if (text[pos] == u';')
            ++count;
        ++pos;
    }
    if (count < n) {
        if (showError)
            reportInternalError(u"ERTC funkció - Nincs "_s + QString::number(n) + u". pozíció:;"_s + text);
        return QString();
    }
    const qsizetype end = text.indexOf(u';', pos);
    return text.mid(pos, end < 0 ? -1 : end - pos);
}

int ERTN(int n, const QString& text)
{
    const std::optional<qint64> value = parseInteger(ERTC(n, text, true));
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        reportInternalError(u"ERTN funkció - Nem szám:;"_s + ERTC(n, text, false));
        return 0;
    }
    return int(*value);
}

int ERTB(int n, const QString& text)
{
    const QString field = ERTC(n, text, true);
    if (field.isEmpty())
        return 0;
    return std::max(cp1250::byteOf(field.front()), 0);
}

bool ERTL(int n, const QString& text)
{
    const QString field = ERTC(n, text, true);
    if (field == u"Igen")
        return true;
    if (field != u"Nem")
        reportInternalError(u"ERTL funkció - Nem logikai érték:;"_s + field);
    return false;
}
