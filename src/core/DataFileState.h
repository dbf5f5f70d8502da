#pragma once
// The files the workbench works on: the current data file, which the file commands read, and
// the file the light-curve view shows, which may be another one (a periodogram, a phase curve).

#include <string>

namespace quelmar {

struct DataFileState {
    std::string DataFileName; // chosen by File "Open" or argument 1; empty until then
    int DataChannelCount = 0;
    std::string CurveFileName;  // the file the light-curve view shows
    int ChannelCount = 0;       // value columns of CurveFileName
    bool CurveLoaded = false;   // the point store holds the points of CurveFileName
    std::string RangesFileName; // argument 2: ranges loaded when the view is first shown
};

} // namespace quelmar
