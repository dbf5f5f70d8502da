#include "CorrectionScale.h"

#include "BarycentricCorrection.h"

#include "core/Error.h"
#include "core/OwnMessages.h"

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
    recordTimeScale(rewrite.copyPath(), before);
    recordTimeScale(dataPath, toTdb ? TimeScale::BjdTdb : TimeScale::BjdUtc);
}

} // namespace quelmar
