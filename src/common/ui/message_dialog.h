#pragma once

#include "ui/base_form.h"
#include "ui/message_layout.h"

#include <array>

class QLabel;
class QScrollArea;
class TGomb;

// The one message and question dialog of both programs. Execute lays it out
// for the text (";" breaks lines), shows the kind's icon and title and the
// buttons the letters of "INREM" name, in that order, the first letter's
// button being the default with the focus, and returns the modal result of
// the button pressed. Esc and the close box give 2, but only when "Mégsem" is
// shown or there is a single button; otherwise the user is told to choose one.
class TdlMessage : public TdlAlap {
    Q_OBJECT
public:
    // The design frame: outer size minus client size of the window the
    // dialog's outer sizes are reckoned with.
    static constexpr QSize kFrame{8, 27};

    explicit TdlMessage(QWidget* parent = nullptr);

    int Execute(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption);

    // Lays the dialog out as Execute does, without showing it.
    void layOut(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption);

    bool FormCloseQuery(int modalResult) override;

    QLabel* lbInfo = nullptr;
    QLabel* lbSzoveg = nullptr;
    QLabel* Image1 = nullptr;
    TGomb* gmIgen1 = nullptr;
    TGomb* gmNem1 = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmEgyeb1 = nullptr;
    TGomb* gmMgs1 = nullptr;
    // Holds lbSzoveg; scrolls only a text too large for the screen.
    QScrollArea* textArea = nullptr;

    // In slot order I, N, R, E, M.
    std::array<TGomb*, kMessageSlots> slotButtons() const;
    int outerHeight() const { return height() + kFrame.height(); }
    int baseHeight() const { return m_baseHeight; }
    int baseButtonTop() const { return m_baseButtonTop; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize textBoxSize(int spacing) const;
    std::array<bool, kMessageSlots> visibleSlots() const;

    int m_baseHeight = 0;
    int m_baseButtonTop = 0;
};

// The program's message dialog, created at its first use.
TdlMessage& dlMessage();

// The notice shown when Esc or the close box cannot close the dialog.
QString messageCloseRefusedText();
