#include "ui/layout_math.h"

#include "core/text_utils.h"
#include "ui/program_kind.h"

#include <cmath>
#include <cstdlib>

int roundHalfEven(double x)
{
    const double nearest = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(nearest, 2.0) != 0.0)
        return int(nearest - std::copysign(1.0, x));
    return int(nearest);
}

int roundWith(Rounding rounding, double x)
{
    return rounding == Rounding::HalfEven ? roundHalfEven(x) : int(RoundHalfAway(x));
}

Rounding dialogRounding()
{
    return programKind() == ProgramKind::Collector ? Rounding::HalfAway : Rounding::HalfEven;
}

int mulDiv(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return value;
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long quotient = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
    return int(negative ? -quotient : quotient);
}

double scaleFactorForScreenHeight(int screenHeight)
{
    return screenHeight <= 600 ? 1.0 : screenHeight / 600.0;
}

QSize scaledFormSize(QSize designSize, double scaleFactor)
{
    if (scaleFactor == 1.0)
        return designSize;
    return {roundHalfEven(designSize.width() * scaleFactor),
            roundHalfEven(designSize.height() * scaleFactor)};
}

std::optional<ScaleRatio> rescaleRatio(QSize remembered, QSize current)
{
    // dx grows with the width, dy with a shrinking height; the direction of
    // (dx, dy) decides. Compared on whole pixels, so the 45-degree borders are
    // exact.
    const int dx = current.width() - remembered.width();
    const int dy = remembered.height() - current.height();
    const ScaleRatio byWidth{current.width(), remembered.width()};
    const ScaleRatio byHeight{current.height(), remembered.height()};
    if (dx < 0 && dy > 0) // both shrank
        return std::abs(dx) <= dy ? byWidth : byHeight;
    if (dx > 0 && dy < 0) // both grew
        return dx < std::abs(dy) ? byWidth : byHeight;
    return std::nullopt;
}
