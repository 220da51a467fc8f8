#pragma once

#include <QChar>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

// What the message dialog shows and where, worked out without a window: the
// lines of the text, the title and icon of the kind, the button slots, and the
// dialog's size and positions from the sizes of its title, text and buttons.

// The standard icons the kinds show.
enum class MessageIcon { Stop, Exclamation, Information, Question, Application };

struct MessageKind {
    QString title;
    MessageIcon icon;
};
// B internal error, F warning, H error, I information, K question; any other
// letter is "other" with the application's logo.
MessageKind messageKind(QChar kind);

// The five buttons stand in this order whatever the order of the letters.
inline constexpr int kMessageSlots = 5;
inline constexpr char16_t kMessageSlotLetters[] = u"INREM";
// The modal result of slot 0..4 (Igen 6, Nem 7, Rendben 1, extra 8, Mégsem 2).
int messageSlotResult(int slot);
// The slot a button letter names, or -1.
int messageSlotOf(QChar letter);

// The lines of a message: ";" breaks a line, the first empty field ends the
// text (so ";;" ends it early and a trailing ";" adds no empty line; a blank
// line is written as a field holding one blank). A text without ";" is one
// line, carriage returns inside it included. At most 255 lines are taken.
QStringList messageLines(const QString& text);
// The lines joined with carriage return and line feed, as the label holds them.
QString messageText(const QString& text);
inline constexpr int kMaxMessageLines = 255;

// The spacing unit of the dialog: 20 pixels times the screen scale factor.
int messageSpacing(double scaleFactor);

// Sizes are outer sizes of the window (frame included) where marked "outer",
// positions are in the client area.
struct MessageLayoutInput {
    int spacing = 20;   // s
    QSize frame{8, 27}; // outer size minus client size
    int titleWidth = 0; // width of the kind's title
    QSize textSize;     // the text block, widest line by all lines
    int textTop = 65;
    int buttonWidth = 100;
    QString buttons;         // letters of "INREM"; the first is the default
    int baseHeight = 220;    // outer height at the first call
    int baseButtonTop = 150; // buttons' top at the first call
    int currentHeight = 220; // outer height before this call
    int currentButtonTop = 150;
};

struct MessageLayout {
    int titleBlockWidth = 0; // w1
    int textBlockWidth = 0;  // w2
    int buttonRowWidth = 0;  // w3
    int width = 0;           // outer
    int height = 0;          // outer
    int clientWidth = 0;
    int titleLeft = 0;
    int textLeft = 0;
    int buttonTop = 0;
    std::array<bool, kMessageSlots> visible{};
    std::array<int, kMessageSlots> buttonLeft{}; // of the visible slots
    int defaultSlot = -1;
};

MessageLayout layOutMessage(const MessageLayoutInput& in);

// The buttons a call shows: its letters, or "R" alone when none of them names
// a button, so that the dialog can always be answered.
QString effectiveMessageButtons(const QString& buttons);

// Esc and the close box close the dialog only when "Mégsem" is offered or a
// single button is shown; otherwise the user has to choose a button.
bool messageMayBeCancelled(const std::array<bool, kMessageSlots>& visible);
