#pragma once
// The light-curve document: the files the workbench works on, the points of the file shown with
// their missing-value mask, how they are looked at (view range, cursor, zoom), the extremum
// tables and fitted curves, the decomposition and the ranges. It changes only through the named
// operations below; each one announces what it changed to every observer, and a change of the
// points raises the generation number. Results derived from the points remember the generation
// they were computed from (the fitted curves, the components), so that a result of other
// points is never drawn or used over these.

#include "RangeList.h"
#include "ViewState.h"
#include "analysis/ExtremumTables.h"
#include "analysis/PolynomialFit.h"
#include "analysis/PrincipalComponents.h"
#include "analysis/SignalRestoration.h"
#include "core/DataFileState.h"
#include "core/PointStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quelmar {

// What an operation changed; observers receive a combination of these.
enum DocumentChange : unsigned {
    FilesChanged = 1u << 0,      // the data file, the file shown or the ranges file
    PointsChanged = 1u << 1,     // the points (the generation moved on)
    ViewChanged = 1u << 2,       // the view range, zoom, orientation, lines, visible channels
    CursorChanged = 1u << 3,     // the cursor point or channel
    ExtremaChanged = 1u << 4,    // the extremum tables or the fitted curves
    ComponentsChanged = 1u << 5, // the decomposition
    RangesChanged = 1u << 6,     // the ranges list or the range shown
    CurveStale = 1u << 7,        // the file shown changed on disk: its points must be read again
};

class LightCurveDocument {
public:
    using Observer = std::function<void(unsigned changes)>;

    // Observers are told after every operation, in the order they were added.
    void observe(Observer observer) { observers_.push_back(std::move(observer)); }

    const DataFileState& files() const { return files_; }
    const PointStore& points() const { return points_; }
    const ViewState& view() const { return view_; }
    const ExtremumTables& extrema() const { return extrema_; }
    const PrincipalComponents& components() const { return components_; }
    const RangeList& ranges() const { return ranges_; }
    // Moves on at every change of the points.
    std::uint64_t generation() const { return generation_; }
    // The fitted curves were made of the points as they are now.
    bool curvesCurrent() const { return curvesGeneration_ == generation_; }

    // Files.
    void chooseDataFile(const std::string& path, int channels);
    // The view is to show another file; its points are read at the next redraw.
    void showFile(const std::string& path, int channels);
    void setRangesFileName(const std::string& path);
    // The file shown changed on disk (or must be read again): observers redraw it.
    void curveFileChanged();

    // Points.
    // The points of the file shown have been read (an empty store when it could not be). A
    // file opened afresh is shown whole; otherwise the requested view is kept. The cursor stays
    // on a point of this curve and on a channel that is drawn.
    void load(PointStore points, bool showWhole);
    // The points of another file have been read and it is now the file shown, whole.
    void open(const std::string& path, int channels, PointStore points);
    void deletePoint(int p);
    // False, and nothing changed, when the point lacks the neighbours to smooth from.
    bool smoothPoint(int channel, int p);
    bool smoothPointEveryChannel(int p);
    void pointsSaved();
    void setChannelVisible(int channel, bool visible);

    // View and cursor.
    void setView(int first, int last);     // limited to the curve and in order
    void requestView(int first, int last); // taken as it is, applied at the next load
    void shiftViewByHalf(int direction);
    void centreViewOn(int p);
    void selectSeasonAround(int p);
    void setCursorPoint(int p); // kept within 1 ... PointCount
    void setCursorChannel(int channel);
    void flip();
    void toggleLines();
    void zoomBy(double factor);

    // Extremum fits: a run numbers the channels fitted by one command.
    int beginFitRun();
    ChannelFit fitExtremum(int channel, TermRange terms, int run);
    // Takes the fitted polynomial of (terms, run) away from the points it was fitted to;
    // returns the channels changed.
    int subtractFit(int terms, int run);

    // Components: the decomposition of the points, shown as the view's channels at the next
    // redraw (showPendingComponents), and the restoration from them.
    PcaOutcome decompose();
    void showPendingComponents();
    // Why the points shown cannot be restored from the components, or None.
    RestorationRefusal restorationRefusal() const;
    void restore(const std::vector<bool>& keep);

    // Ranges. loadRanges throws what reading the file throws, leaving the list as it was.
    void loadRanges(const std::string& path);
    RangeStep nextRange();
    RangeStep previousRange();
    // The view becomes the current range's points, the cursor its first point.
    void showCurrentRange();

private:
    // Smooths point p in channels first … last, keeping the curves with their points.
    bool smoothChannels(int first, int last, int p);
    void pointsMoved();
    void keepCursorOnCurve();
    void announce(unsigned changes);

    DataFileState files_;
    PointStore points_;
    ViewState view_;
    ExtremumTables extrema_;
    PrincipalComponents components_;
    RangeList ranges_;
    std::uint64_t generation_ = 0;
    std::uint64_t curvesGeneration_ = 0;     // of the points the fitted curves belong to
    std::uint64_t componentsGeneration_ = 0; // of the points that are the components shown
    std::vector<Observer> observers_;
};

} // namespace quelmar
