#include "CurveRenderer.h"

#include "CurveAxes.h"

namespace quelmar {

CurveGeometry drawCurve(QImage& image, const PointStore& store, const ViewState& view,
                        const AppSettings& settings, const PlotOptions& options,
                        ChannelPainter paintChannel) {
    Canvas canvas(image);
    CurveGeometry geometry = measureCurve(store, view, canvas.width(), canvas.height());
    widenMargins(geometry, store, view, labelMargins(canvas, store, geometry, options));
    drawFrame(canvas, geometry);
    drawBandLegend(canvas, store, geometry, options);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        paintChannel(canvas, store, geometry, k, view, settings, options);
        drawBandEdge(canvas, geometry, geometry.BandTop[static_cast<std::size_t>(k - 1)]);
    }
    drawBandEdge(canvas, geometry, geometry.BandTop[static_cast<std::size_t>(store.ChannelCount)]);
    drawAxes(canvas, store, geometry, settings, options);
    return geometry;
}

} // namespace quelmar
