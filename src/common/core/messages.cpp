#include "core/messages.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

Reporter* installed = nullptr;

QTextStream& errorStream()
{
    static QTextStream stream(stderr);
    return stream;
}

QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(u';', u' ');
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line.simplified();
}

} // namespace

int modalResultOfButton(QChar letter)
{
    switch (letter.unicode()) {
    case u'I':
        return mrYes;
    case u'N':
        return mrNo;
    case u'R':
        return mrOk;
    case u'E':
        return mrAll;
    case u'M':
        return mrCancel;
    default:
        return 0;
    }
}

int defaultResultOfDialog(int kind)
{
    return kind == 0 || kind == 5 ? mrYes : mrOk;
}

int StreamReporter::uzenet(const QString& text, QChar kind, const QString& buttons, const QString&)
{
    errorStream() << "[" << kind << "] " << oneLine(text) << Qt::endl;
    return buttons.isEmpty() ? mrOk : modalResultOfButton(buttons.front());
}

int StreamReporter::parbeszed(int kind, const QString& text, DialogPosition, int, DialogSize)
{
    errorStream() << "[" << kind << "] " << oneLine(text) << Qt::endl;
    return defaultResultOfDialog(kind);
}

void StreamReporter::plainMessage(const QString& text)
{
    errorStream() << oneLine(text) << Qt::endl;
}

void setReporter(Reporter* reporter)
{
    installed = reporter;
}

Reporter& reporter()
{
    static StreamReporter fallback;
    return installed ? *installed : fallback;
}

int Uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption)
{
    return reporter().uzenet(text, kind, buttons, extraCaption);
}

int Parbeszed(int kind, const QString& text, DialogPosition position, int fontSize, DialogSize size)
{
    // A kind above 5 has no dialog and answers "OK" without showing anything.
    if (kind < 0 || kind > 5)
        return mrOk;
    return reporter().parbeszed(kind, text, position, fontSize, size);
}

void ShowPlainMessage(const QString& text)
{
    reporter().plainMessage(text);
}
