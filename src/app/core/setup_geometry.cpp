#include "core/setup_geometry.h"

#include <cmath>

namespace setupgeometry {

int scaled(double pixels, double scale)
{
    // Banker's rounding: halves go to the even neighbour.
    return int(std::nearbyint(pixels * scale));
}

int rowTop(int row)
{
    return kFirstRowTop + kRowHeight * row;
}

int editTop(int row)
{
    return rowTop(row) - 5;
}

int checkBoxWidth(int pageWidth, double scale)
{
    return pageWidth - scaled(280, scale) - scaled(10, scale) + 5;
}

int wideEditWidth(double scale)
{
    return scaled(280, scale);
}

int narrowEditWidth(double scale)
{
    return scaled(80, scale);
}

int editLeft(int pageWidth, double scale)
{
    return pageWidth - wideEditWidth(scale) - scaled(10, scale);
}

ResizedLayout resizedLayout(int formWidth, int cancelWidth, int saveWidth, double scale)
{
    ResizedLayout layout;
    layout.pageControlWidth = formWidth - scaled(30, scale);
    layout.cancelLeft = formWidth - scaled(30, scale) - cancelWidth;
    layout.saveLeft = layout.cancelLeft - scaled(30, scale) - saveWidth;
    return layout;
}

} // namespace setupgeometry
