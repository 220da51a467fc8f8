#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

// Answers given in advance, for tests of code that asks the user: the next
// message, simple dialog or plain message box is laid out as usual but not
// shown; it is answered with the answer set here and recorded, so the test
// sees what was asked. Answers are used in the order they were set.
struct AnsweredQuestion {
    enum Source { Message, SimpleDialog, PlainMessage };
    Source source = Message;
    QString text;         // as the caller gave it
    QChar kind;           // message kind letter
    QString buttons;      // message button letters
    QString extraCaption; // caption of the message's extra button
    int dialogKind = -1;  // simple dialog kind 0..5
    int answer = 0;
    // False when the answer is not one the user could have given (no such
    // button, or Esc where the dialog refuses to close).
    bool possible = true;

    bool operator==(const AnsweredQuestion&) const = default;

    static AnsweredQuestion message(const QString& text, QChar kind, const QString& buttons,
                                    const QString& extraCaption = QString(), int answer = 0);
    static AnsweredQuestion simpleDialog(int dialogKind, const QString& text, int answer = 0);
    static AnsweredQuestion plainMessage(const QString& text, int answer = 0);
};

void setNextAnswer(int modalResult);
bool hasNextAnswer();
// What the pre-set answers answered since the last call.
QList<AnsweredQuestion> takeAnsweredQuestions();
// Drops the answers not used yet and the record.
void clearNextAnswers();

// Used by the dialogs: the next pre-set answer, if any, recorded with the question.
std::optional<int> answerInAdvance(AnsweredQuestion question, const QList<int>& possibleAnswers);
