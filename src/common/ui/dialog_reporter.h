#pragma once

#include "core/messages.h"
#include "ui/program_kind.h"

// Shows what the core reports in the real dialogs: Uzenet in the message
// dialog, Parbeszed in the simple dialogs, plain messages in the platform's
// message box. A message asked while the message dialog is already open gets
// a dialog of its own.
class DialogReporter : public Reporter {
public:
    int uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption) override;
    int parbeszed(int kind, const QString& text, DialogPosition position, int fontSize,
                  DialogSize size) override;
    void plainMessage(const QString& text) override;
};

// Called once by each program at start, after the application object exists:
// says which program runs (rounding, colours, form positions), makes the font
// names of the forms available, and installs the dialog reporter.
void installDialogReporter(ProgramKind kind);
