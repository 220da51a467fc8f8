#pragma once

// The arithmetic of the parameter dialog's layout, in pixels. S is the
// screen scale factor; [x] rounds to the nearest integer, halves to the even
// neighbour.
namespace setupgeometry {

int scaled(double pixels, double scale);

inline constexpr int kFirstRowTop = 15;
inline constexpr int kRowHeight = 28;
inline constexpr int kControlLeft = 10;

// Top of row n (from 0) of a page; the label stands there, the edit 5 higher.
int rowTop(int row);
int editTop(int row);

// W is the client width of the page control's pages.
int checkBoxWidth(int pageWidth, double scale);
int wideEditWidth(double scale);
int narrowEditWidth(double scale);
// All edits of a page start at the x of the wide edit.
int editLeft(int pageWidth, double scale);

// After a resize of the dialog to formWidth.
struct ResizedLayout {
    int pageControlWidth = 0;
    int cancelLeft = 0;
    int saveLeft = 0;
};
ResizedLayout resizedLayout(int formWidth, int cancelWidth, int saveWidth, double scale);

} // namespace setupgeometry
