#include "ui/next_answer.h"

#include <QDebug>

#include <deque>

namespace {

std::deque<int>& pending()
{
    static std::deque<int> answers;
    return answers;
}

QList<AnsweredQuestion>& answered()
{
    static QList<AnsweredQuestion> questions;
    return questions;
}

} // namespace

AnsweredQuestion AnsweredQuestion::message(const QString& text, QChar kind, const QString& buttons,
                                           const QString& extraCaption, int answer)
{
    AnsweredQuestion question;
    question.text = text;
    question.kind = kind;
    question.buttons = buttons;
    question.extraCaption = extraCaption;
    question.answer = answer;
    return question;
}

AnsweredQuestion AnsweredQuestion::simpleDialog(int dialogKind, const QString& text, int answer)
{
    AnsweredQuestion question;
    question.source = SimpleDialog;
    question.text = text;
    question.dialogKind = dialogKind;
    question.answer = answer;
    return question;
}

AnsweredQuestion AnsweredQuestion::plainMessage(const QString& text, int answer)
{
    AnsweredQuestion question;
    question.source = PlainMessage;
    question.text = text;
    question.answer = answer;
    return question;
}

void setNextAnswer(int modalResult)
{
    pending().push_back(modalResult);
}

bool hasNextAnswer()
{
    return !pending().empty();
}

QList<AnsweredQuestion> takeAnsweredQuestions()
{
    return std::exchange(answered(), {});
}

void clearNextAnswers()
{
    pending().clear();
    answered().clear();
}

std::optional<int> answerInAdvance(AnsweredQuestion question, const QList<int>& possibleAnswers)
{
    if (pending().empty())
        return std::nullopt;
    question.answer = pending().front();
    pending().pop_front();
    question.possible = possibleAnswers.contains(question.answer);
    if (!question.possible)
        qWarning().noquote() << "Pre-set answer" << question.answer
                             << "is not possible for:" << question.text;
    answered().append(question);
    return question.answer;
}
