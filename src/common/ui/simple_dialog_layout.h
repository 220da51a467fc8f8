#pragma once

#include "core/messages.h"
#include "ui/layout_math.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Where the simple answer dialogs and the progress form stand, worked out
// without a window.

// Left, top, client width and client height of the program's main window, as
// the main window records them at every activation. All zero until then.
class TFoFormJellem {
public:
    void Init(int left, int top, int clientWidth, int clientHeight);
    bool isSet() const { return ClientWidth > 0 && ClientHeight > 0; }

    int Left = 0;
    int Top = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
};
// The program's one record of its main window.
TFoFormJellem& FoFormJellem();

// One kind of simple dialog: its caption, the modal results of its buttons from
// left to right, the width its button row is centred by, and whether its first
// button takes the focus.
struct SimpleDialogKind {
    QString caption;
    QList<int> results;
    int rowWidth = 0;
    bool firstButtonActive = true;
};
// Kinds 0 to 5; nothing for any other kind.
std::optional<SimpleDialogKind> simpleDialogKind(int kind);
// The caption of a button by its modal result ("Igen", "Nem", "Rendben", "Mégsem").
QString simpleDialogButtonCaption(int result);

inline constexpr QSize kSimpleButtonSize{75, 25};

struct SimpleDialogLayout {
    std::optional<QPoint> position; // outer top-left; nothing: centre on the screen
    QSize clientSize;
    QRect textRect;
    int buttonTop = 0;
    QList<int> buttonLefts;
};

// The position centred over the main window; nothing when the main window has
// not been recorded (the dialog is then centred on the screen instead of
// standing off the screen's top-left corner).
std::optional<QPoint> centredOverMainWindow(QSize size, const TFoFormJellem& main, Rounding rounding);

// The lefts of a row of 75-pixel buttons 30 pixels apart, the first at
// [(clientWidth - rowWidth) / 2].
QList<int> simpleDialogButtonLefts(int clientWidth, int rowWidth, int count, Rounding rounding);

SimpleDialogLayout layOutSimpleDialog(const SimpleDialogKind& kind, DialogPosition position, DialogSize size,
                                      const TFoFormJellem& main, Rounding rounding);

// The progress form: 305 x 75, centred over the main window, its bar at
// (15, 25) 275 x 25.
inline constexpr QSize kProgressClientSize{305, 75};
inline constexpr QRect kProgressBarRect{15, 25, 275, 25};
