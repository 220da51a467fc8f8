#include "ui/dialog_reporter.h"

#include "ui/message_dialog.h"
#include "ui/plain_message.h"
#include "ui/simple_dialogs.h"

#include <QFont>

#include <memory>

using namespace Qt::StringLiterals;

int DialogReporter::uzenet(const QString& text, QChar kind, const QString& buttons,
                           const QString& extraCaption)
{
    TdlMessage& dialog = dlMessage();
    if (!dialog.isVisible())
        return dialog.Execute(text, kind, buttons, extraCaption);
    TdlMessage second;
    return second.Execute(text, kind, buttons, extraCaption);
}

int DialogReporter::parbeszed(int kind, const QString& text, DialogPosition position, int fontSize,
                              DialogSize size)
{
    return showParbeszed(kind, text, position, fontSize, size);
}

void DialogReporter::plainMessage(const QString& text)
{
    showPlainMessageBox(text);
}

void installDialogReporter(ProgramKind kind)
{
    setProgramKind(kind);
    // The forms name Windows fonts; the Liberation faces have their metrics.
    QFont::insertSubstitution(u"MS Sans Serif"_s, u"Liberation Sans"_s);
    QFont::insertSubstitutions(u"Arial"_s, {u"Liberation Sans"_s});
    QFont::insertSubstitutions(u"Times New Roman"_s, {u"Liberation Serif"_s});
    QFont::insertSubstitutions(u"Courier New"_s, {u"Liberation Mono"_s});
    static DialogReporter reporter;
    setReporter(&reporter);
}
