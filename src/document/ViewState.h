#pragma once
// How the light curve is looked at: zoom, orientation, lines and the cursor. These keep their
// values for the whole run, also across files. The range of points shown (ViewFirst, ViewLast)
// belongs to the point store.

namespace quelmar {

struct ViewState {
    double XZoom = 1.0;     // horizontal zoom factor
    bool Flipped = false;   // false: the smallest value of each band at the top
    bool ShowLines = false; // join consecutive points of a channel by lines
    int CursorPoint = 1;
    int CursorChannel = 1;
};

} // namespace quelmar
