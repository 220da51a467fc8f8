#pragma once

#include <QChar>
#include <QString>

// The few places where a utility has to tell the user something go through
// one replaceable reporter, so that the core needs no window. The programs
// install a reporter that shows the real dialogs; a headless run keeps the
// default one, which writes to standard error; tests install a recorder.

// Modal results the callers compare with.
enum ModalResult { mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7, mrAll = 8 };

// Where a simple answer dialog appears: centred over the main window, or at
// an explicit position.
struct DialogPosition {
    bool centred = true;
    int left = 0;
    int top = 0;
    static DialogPosition centre() { return {}; }
    static DialogPosition at(int left, int top) { return {false, left, top}; }
};

// The size of a simple answer dialog: small (330 x 110), large (400 x 130)
// or explicit client width and height.
struct DialogSize {
    int width = 330;
    int height = 110;
    static DialogSize small() { return {}; }
    static DialogSize large() { return {400, 130}; }
    static DialogSize of(int width, int height) { return {width, height}; }
};

class Reporter {
public:
    virtual ~Reporter() = default;
    // The message dialog: text with ";" line breaks, kind letter, button
    // letters of "INREM" (the first is the default), caption of the E button.
    virtual int uzenet(const QString& text, QChar kind, const QString& buttons,
                       const QString& extraCaption) = 0;
    // A simple answer dialog of kind 0..5.
    virtual int parbeszed(int kind, const QString& text, DialogPosition position, int fontSize,
                          DialogSize size) = 0;
    // The platform's plain message box with one OK button.
    virtual void plainMessage(const QString& text) = 0;
};

// Writes every message to standard error and answers with the default button.
class StreamReporter : public Reporter {
public:
    int uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption) override;
    int parbeszed(int kind, const QString& text, DialogPosition position, int fontSize,
                  DialogSize size) override;
    void plainMessage(const QString& text) override;
};

// Installs a reporter (not owned); nullptr restores the default one.
void setReporter(Reporter* reporter);
Reporter& reporter();

// The modal result of the button a letter of "INREM" names (0 for others).
int modalResultOfButton(QChar letter);

// The modal result of the default (first) button of a simple dialog kind.
int defaultResultOfDialog(int kind);

int Uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption = QString());
int Parbeszed(int kind, const QString& text, DialogPosition position = DialogPosition::centre(),
              int fontSize = 8, DialogSize size = DialogSize::small());
void ShowPlainMessage(const QString& text);
