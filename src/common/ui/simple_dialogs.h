#pragma once

#include "core/messages.h"
#include "ui/simple_dialog_layout.h"

#include <QDialog>
#include <QList>

class QLabel;
class QProgressBar;
class TGomb;

// The simple answer dialogs: a plain form with a fixed icon, a word-wrapped
// text and a row of buttons, placed over the main window. They have no close
// box and no cancel key: the user answers with a button. They are not base
// forms: neither screen scaling nor the style holder's font applies to them.
class TDialogus : public QDialog {
    Q_OBJECT
public:
    explicit TDialogus(QWidget* parent = nullptr);

    // Caption, text, outer position, client size, the text's point size and
    // the background colour; re-lays the dialog completely.
    virtual void Init(const QString& caption, const QString& text, int left, int top, int clientWidth,
                      int clientHeight, int fontSize, const QColor& color);

    QLabel* DialogSzoveg = nullptr;
    QLabel* DlgIcon = nullptr;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A simple dialog with a row of answer buttons, centred by rowWidth.
class TAnswerDialog : public TDialogus {
    Q_OBJECT
public:
    TAnswerDialog(const QList<int>& results, int rowWidth, bool firstButtonActive, QWidget* parent = nullptr);

    void Init(const QString& caption, const QString& text, int left, int top, int clientWidth,
              int clientHeight, int fontSize, const QColor& color) override;

    const QList<TGomb*>& buttons() const { return m_buttons; }
    QList<int> results() const;

private:
    QList<TGomb*> m_buttons;
    int m_rowWidth;
    bool m_firstButtonActive;
};

// Igen, Nem.
class TValaszIN : public TAnswerDialog {
    Q_OBJECT
public:
    explicit TValaszIN(QWidget* parent = nullptr);
};

// Rendben, Mégsem.
class TValaszRM : public TAnswerDialog {
    Q_OBJECT
public:
    explicit TValaszRM(QWidget* parent = nullptr);
};

// Igen, Nem, Mégsem.
class TValaszINM : public TAnswerDialog {
    Q_OBJECT
public:
    explicit TValaszINM(QWidget* parent = nullptr);
};

// Rendben alone.
class TUzenetOK : public TAnswerDialog {
    Q_OBJECT
public:
    explicit TUzenetOK(QWidget* parent = nullptr);
};

// The dispatcher behind Parbeszed: prepares the dialog of the kind (0 to 5)
// and shows it modally; returns the modal result of the button pressed, or 1
// without showing anything for another kind.
int showParbeszed(int kind, const QString& text, DialogPosition position = DialogPosition::centre(),
                  int fontSize = 8, DialogSize size = DialogSize::small());

// A small window with a progress bar, shown while long work runs.
class TFolyamatjelzo : public QDialog {
    Q_OBJECT
public:
    explicit TFolyamatjelzo(QWidget* parent = nullptr);

    // Shows the window centred over the main window, the bar from min to max at 0.
    void Letrehoz(const QString& caption, int min, int max);
    // Moves the bar by delta, within its range.
    void Lepes(qint16 delta);
    void Vege();

    QProgressBar* Jelzocsik = nullptr;

private:
    // Long work does not return to the event loop: the window is painted here.
    void paintNow();

    int m_shownPercent = -1;
};

// The program's progress window, created at its first use.
TFolyamatjelzo& Folyamatjelzo();
