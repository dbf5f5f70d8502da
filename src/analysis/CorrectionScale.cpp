#include "CorrectionScale.h"

#include "BarycentricCorrection.h"

#include "core/Error.h"
#include "core/OwnMessages.h"
#include "core/TextFile.h"

namespace quelmar {

TimeScale datesScaleToCorrect(const std::string& dataPath, std::optional<TimeScale> given,
                              bool toTdb) {
    const TimeScale recorded = recordedTimeScale(dataPath);
    for (const TimeScale scale : {recorded, given.value_or(TimeScale::Unknown)})
        if (isBarycentric(scale))
            throw QuelmarError(dataPath, MessageText(message::AlreadyBarycentric,
                                                     {std::string(timeScaleName(scale))}));
    const TimeScale dates = given                            ? *given
                            : recorded == TimeScale::Unknown ? TimeScale::JdUtc
                                                             : recorded;
    if (recorded != TimeScale::Unknown && recorded != dates)
        throw QuelmarError(dataPath, MessageText(message::RecordedScaleDisagrees,
                                                 {std::string(timeScaleName(recorded)),
                                                  std::string(timeScaleName(dates))}));
    if (dates == TimeScale::HjdUtc && !toTdb) throw QuelmarError(dataPath, message::HjdNeedsTdb);
    return dates;
}

void recordCorrectedScales(const BarycentricRewrite& rewrite, const std::string& dataPath,
                           TimeScale before, bool toTdb) {
    // The record beside the data file still describes the bytes the copy now holds: the
    // channels' names it gives go to both.
    const std::vector<std::string> names =
        recordedChannelNames(dataPath, FileContent(rewrite.copyPath()).text());
    recordTimeScale(rewrite.copyPath(), before, names);
    recordTimeScale(dataPath, toTdb ? TimeScale::BjdTdb : TimeScale::BjdUtc, names);
}

} // namespace quelmar
