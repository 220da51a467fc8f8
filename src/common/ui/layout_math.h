#pragma once

#include <QSize>

#include <optional>

// Arithmetic the forms use to place and scale their controls. It needs no
// font or window, so it is checked on plain numbers.

// Rounds to the nearest integer; a half goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int roundHalfEven(double x);

// How halves are rounded where the two programs differ.
enum class Rounding { HalfEven, HalfAway };
int roundWith(Rounding rounding, double x);
// The rounding of the simple dialogs in the running program.
Rounding dialogRounding();

// value * numerator / denominator, rounded to the nearest integer with halves
// away from zero, computed without overflow: the control scaling of forms.
int mulDiv(int value, int numerator, int denominator);

// Forms grow on screens taller than 600 pixels: 1.0 up to 600, else
// height / 600 (1.28 on a 768-pixel-high screen).
double scaleFactorForScreenHeight(int screenHeight);

// A form's design size on a screen of the given scale factor.
QSize scaledFormSize(QSize designSize, double scaleFactor);

// The ratio a resize scales a form's controls by, as numerator / denominator.
struct ScaleRatio {
    int numerator = 1;
    int denominator = 1;
    bool operator==(const ScaleRatio&) const = default;
};

// Controls are re-scaled only when width and height changed in the same
// direction (both grew or both shrank), by the ratio of the side that changed
// by fewer pixels; on equal changes a shrink takes the width ratio and a growth
// the height ratio. Nothing otherwise.
std::optional<ScaleRatio> rescaleRatio(QSize remembered, QSize current);
