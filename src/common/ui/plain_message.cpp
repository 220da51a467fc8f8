#include "ui/plain_message.h"

#include "core/messages.h"
#include "ui/next_answer.h"

#include <QGuiApplication>
#include <QMessageBox>

using namespace Qt::StringLiterals;

void showPlainMessageBox(const QString& text)
{
    if (answerInAdvance(AnsweredQuestion::plainMessage(text), {mrOk}))
        return;
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), withLineBreaks(text), QMessageBox::Ok);
    box.exec();
}

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

QString withLineBreaks(const QString& text)
{
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}
