#include "LightCurveDocument.h"

#include "CurveEditing.h"
#include "CurveNavigation.h"
#include "analysis/ExtremumLines.h"
#include "analysis/SignalRestoration.h"

#include <algorithm>

namespace quelmar {

void LightCurveDocument::announce(unsigned changes) {
    for (const Observer& observer : observers_)
        observer(changes);
}

// Every change of the points goes through here: the generation moves on, and the results that
// are still exact for the changed points are said to be of the new generation by the caller.
void LightCurveDocument::pointsMoved() {
    ++generation_;
}

void LightCurveDocument::keepCursorOnCurve() {
    view_.CursorPoint = std::clamp(view_.CursorPoint, 1, std::max(points_.PointCount, 1));
    if (!channelShown(points_, view_.CursorChannel))
        view_.CursorChannel = firstShownChannel(points_);
}

void LightCurveDocument::chooseDataFile(const std::string& path, int channels) {
    files_.DataFileName = path;
    files_.DataChannelCount = channels;
    announce(FilesChanged);
}

void LightCurveDocument::showFile(const std::string& path, int channels) {
    files_.CurveFileName = path;
    files_.ChannelCount = channels;
    files_.CurveLoaded = false;
    announce(FilesChanged | CurveStale);
}

void LightCurveDocument::setRangesFileName(const std::string& path) {
    files_.RangesFileName = path;
    announce(FilesChanged);
}

void LightCurveDocument::curveFileChanged() {
    if (files_.CurveFileName.empty()) return;
    files_.CurveLoaded = false;
    announce(CurveStale);
}

void LightCurveDocument::load(PointStore points, bool showWhole) {
    const int first = showWhole ? 0 : points_.ViewFirst;
    const int last = showWhole ? 0 : points_.ViewLast;
    forgetShownComponents(components_);
    points_ = std::move(points);
    files_.CurveLoaded = true;
    pointsMoved();
    // Read again unedited, the file's points are the ones the curves were fitted to: the tables
    // keep the curves only then.
    extrema_.pointsRead(files_.CurveFileName);
    const auto anyCurve = [](const auto& curves) {
        return std::any_of(curves.begin(), curves.end(),
                           [](const FitCurve& curve) { return curve.exists(); });
    };
    if (std::any_of(extrema_.FitCurves.begin(), extrema_.FitCurves.end(), anyCurve))
        curvesGeneration_ = generation_;
    limitView(points_, first == 0 ? 1 : first, last == 0 ? points_.PointCount : last);
    keepCursorOnCurve();
    announce(PointsChanged | ViewChanged | CursorChanged | ExtremaChanged | ComponentsChanged);
}

void LightCurveDocument::open(const std::string& path, int channels, PointStore points) {
    files_.CurveFileName = path;
    files_.ChannelCount = channels;
    load(std::move(points), true);
    announce(FilesChanged);
}

void LightCurveDocument::deletePoint(int p) {
    if (p < 1 || p > points_.PointCount) return;
    const bool curvesFollow = curvesCurrent();
    quelmar::deletePoint(points_, p);
    points_.PointsEdited = true;
    // The curves keep their value at every point that remains.
    extrema_.removePoint(p);
    pointsMoved();
    if (curvesFollow) curvesGeneration_ = generation_;
    keepCursorOnCurve();
    announce(PointsChanged | ViewChanged | CursorChanged | ExtremaChanged);
}

bool LightCurveDocument::smoothPoint(int channel, int p) {
    return smoothChannels(channel, channel, p);
}

bool LightCurveDocument::smoothPointEveryChannel(int p) {
    return smoothChannels(1, points_.ChannelCount, p);
}

bool LightCurveDocument::smoothChannels(int first, int last, int p) {
    if (!canSmooth(points_, p)) return false;
    const bool curvesFollow = curvesCurrent();
    for (int k = first; k <= last; ++k)
        quelmar::smoothPoint(points_, k, p);
    points_.PointsEdited = true;
    pointsMoved();
    // Smoothing keeps the numbering, so the curves still belong to their points.
    if (curvesFollow) curvesGeneration_ = generation_;
    announce(PointsChanged);
    return true;
}

void LightCurveDocument::pointsSaved() {
    points_.PointsEdited = false;
    announce(FilesChanged);
}

void LightCurveDocument::setChannelVisible(int channel, bool visible) {
    const auto k = static_cast<std::size_t>(channel);
    if (channel < 1 || k >= points_.ChannelVisible.size()) return;
    points_.ChannelVisible[k] = visible;
    keepCursorOnCurve();
    announce(ViewChanged | CursorChanged);
}

void LightCurveDocument::setView(int first, int last) {
    limitView(points_, first, last);
    announce(ViewChanged);
}

void LightCurveDocument::requestView(int first, int last) {
    points_.ViewFirst = first;
    points_.ViewLast = last;
    announce(ViewChanged);
}

void LightCurveDocument::shiftViewByHalf(int direction) {
    halfShift(points_, direction);
    announce(ViewChanged);
}

void LightCurveDocument::centreViewOn(int p) {
    centreOn(points_, p);
    announce(ViewChanged);
}

void LightCurveDocument::selectSeasonAround(int p) {
    selectSeason(points_, p);
    announce(ViewChanged);
}

void LightCurveDocument::setCursorPoint(int p) {
    view_.CursorPoint = p;
    keepCursorOnCurve();
    announce(CursorChanged);
}

void LightCurveDocument::setCursorChannel(int channel) {
    // A hidden channel may be the cursor's, as the keys step through the channels.
    view_.CursorChannel = std::clamp(channel, 1, std::max(points_.ChannelCount, 1));
    announce(CursorChanged);
}

void LightCurveDocument::flip() {
    view_.Flipped = !view_.Flipped;
    announce(ViewChanged);
}

void LightCurveDocument::toggleLines() {
    view_.ShowLines = !view_.ShowLines;
    announce(ViewChanged);
}

void LightCurveDocument::zoomBy(double factor) {
    view_.XZoom *= factor;
    announce(ViewChanged);
}

int LightCurveDocument::beginFitRun() {
    return extrema_.beginRun();
}

ChannelFit LightCurveDocument::fitExtremum(int channel, TermRange terms, int run) {
    // The curves of earlier fits of other points go: the tables hold this curve's fits now.
    if (!curvesCurrent())
        for (auto& curves : extrema_.FitCurves)
            curves.fill(FitCurve{});
    ChannelFit fit = quelmar::fitExtremum(points_, channel, points_.ViewFirst, points_.ViewLast,
                                          terms, run, extrema_);
    curvesGeneration_ = generation_;
    announce(ExtremaChanged);
    return fit;
}

int LightCurveDocument::subtractFit(int terms, int run) {
    if (!curvesCurrent()) return 0;
    const int changed = quelmar::subtractFit(points_, extrema_, terms, run);
    if (changed == 0) return 0;
    pointsMoved();
    curvesGeneration_ = generation_;
    announce(PointsChanged);
    return changed;
}

PcaOutcome LightCurveDocument::decompose() {
    const PcaOutcome outcome = computePrincipalComponents(points_, components_);
    if (outcome == PcaOutcome::Done) announce(ComponentsChanged);
    return outcome;
}

void LightCurveDocument::showPendingComponents() {
    if (!components_.ComponentsPending) return;
    takeOverComponents(components_, points_);
    if (!components_.ComponentsShown) return;
    pointsMoved();
    componentsGeneration_ = generation_;
    announce(PointsChanged | ComponentsChanged);
}

RestorationRefusal LightCurveDocument::restorationRefusal() const {
    const RestorationRefusal refusal = quelmar::restorationRefusal(components_, points_);
    if (refusal == RestorationRefusal::None && componentsGeneration_ != generation_)
        return RestorationRefusal::StoreChanged;
    return refusal;
}

void LightCurveDocument::restore(const std::vector<bool>& keep) {
    if (restorationRefusal() != RestorationRefusal::None) return;
    restoreSignal(components_, keep, points_);
    pointsMoved();
    componentsGeneration_ = generation_;
    announce(PointsChanged);
}

void LightCurveDocument::loadRanges(const std::string& path) {
    quelmar::loadRanges(ranges_, path);
    announce(RangesChanged);
}

RangeStep LightCurveDocument::nextRange() {
    const RangeStep step = quelmar::nextRange(ranges_);
    announce(RangesChanged);
    return step;
}

RangeStep LightCurveDocument::previousRange() {
    const RangeStep step = quelmar::previousRange(ranges_);
    if (step != RangeStep::AtFirst) announce(RangesChanged);
    return step;
}

void LightCurveDocument::showCurrentRange() {
    quelmar::showCurrentRange(ranges_, points_);
    view_.CursorPoint = points_.ViewFirst;
    keepCursorOnCurve();
    announce(ViewChanged | CursorChanged);
}

} // namespace quelmar
