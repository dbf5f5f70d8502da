#include "MethodPeriodogram.h"

#include "LombScargle.h"
#include "PeriodogramWriter.h"
#include "PhaseDispersion.h"
#include "PhaseFold.h"
#include "core/Error.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

namespace quelmar {

namespace {

std::vector<double> trialFrequencies(const FrequencyGrid& grid) {
    std::vector<double> frequencies;
    TrialFrequencies trials(grid);
    for (double f; trials.next(f);)
        frequencies.push_back(f);
    return frequencies;
}

// Runs work(first, last) over shares of [0, count), each of at least `least`, on up to
// `threads` threads.
template <class Work>
void inShares(std::size_t count, std::size_t least, unsigned threads, const Work& work) {
    const std::size_t shares =
        std::max<std::size_t>(1, std::min<std::size_t>(scanThreads(threads), count / least));
    std::vector<std::jthread> helpers;
    auto share = [&](std::size_t k) { work(count * k / shares, count * (k + 1) / shares); };
    std::size_t started = 1;
    try {
        for (; started < shares; ++started)
            helpers.emplace_back(share, started);
    } catch (const std::system_error&) {
        // The shares no thread could take are done here.
    }
    share(0);
    for (std::size_t k = started; k < shares; ++k)
        share(k);
}

// Frequencies a worker does between two looks at the progress.
constexpr std::size_t ProgressBatch = 64;

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

template <class Statistic>
void evaluate(std::vector<double>& out, const std::vector<double>& frequencies, unsigned threads,
              ScanProgress* progress, const std::function<Statistic()>& make) {
    inShares(frequencies.size(), ProgressBatch, threads, [&](std::size_t first, std::size_t last) {
        Statistic statistic = make();
        for (std::size_t batch = first; batch < last; batch += ProgressBatch) {
            if (progress && progress->cancel) return;
            const std::size_t end = std::min(last, batch + ProgressBatch);
            for (std::size_t j = batch; j < end; ++j)
                out[j] = statistic(frequencies[j]);
            if (progress) progress->done += static_cast<long long>(end - batch);
        }
    });
}

// By FFTs block by block where the frequencies are evenly spaced, by direct sums elsewhere.
void lombScarglePowers(std::vector<double>& out, const LombScargle& gls,
                       const std::vector<double>& frequencies, unsigned threads,
                       ScanProgress* progress) {
    const double df = LombScargle::uniformStep(frequencies);
    if (df == 0) {
        evaluate<std::function<double(double)>>(out, frequencies, threads, progress, [&] {
            return [&gls](double f) { return gls.power(f); };
        });
        return;
    }
    const std::size_t count = frequencies.size(), block = gls.blockFrequencies(count);
    inShares((count + block - 1) / block, 1, threads, [&](std::size_t first, std::size_t last) {
        const std::size_t from = first * block, to = std::min(count, last * block);
        gls.uniformPowers(frequencies.front(), df, count, from, to, out.data() + from, progress);
    });
}

Periodogram periodogramAt(const WeightedSeries& series, const PeriodSeries& values,
                          const MethodSettings& settings, std::vector<double> frequencies,
                          unsigned threads, ScanProgress* progress = nullptr) {
    Periodogram p;
    p.statistics.resize(frequencies.size());
    using Statistic = std::function<double(double)>;
    switch (settings.method) {
    case PeriodMethod::LombScargle:
        lombScarglePowers(p.statistics, LombScargle(series, settings.harmonics), frequencies,
                          threads, progress);
        break;
    case PeriodMethod::LaflerKinman:
        evaluate<Statistic>(p.statistics, frequencies, threads, progress, [&] {
            return
                [fold = std::make_shared<PhaseFold>(values)](double f) { return fold->theta(f); };
        });
        break;
    case PeriodMethod::BoxLeastSquares:
        evaluate<Statistic>(p.statistics, frequencies, threads, progress, [&] {
            return [box = std::make_shared<BoxLeastSquares>(series, settings.durations)](double f) {
                return box->power(f);
            };
        });
        break;
    case PeriodMethod::PhaseDispersion:
        evaluate<Statistic>(p.statistics, frequencies, threads, progress, [&] {
            return
                [pdm = std::make_shared<PhaseDispersion>(series, settings.bins, settings.covers)](
                    double f) { return pdm->theta(f); };
        });
        break;
    }
    p.frequencies = std::move(frequencies);
    return p;
}

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

Periodogram methodPeriodogram(const WeightedSeries& series, const PeriodSeries& values,
                              const MethodSettings& settings, const FrequencyGrid& grid,
                              unsigned threads, ScanProgress* progress) {
    return periodogramAt(series, values, settings, trialFrequencies(grid), threads, progress);
}

namespace {

void deliverLines(const Periodogram& periodogram, PeriodogramSink& sink) {
    constexpr std::size_t Batch = 4096;
    sink.reserveLines(static_cast<int>(Batch));
    for (std::size_t first = 0; first < periodogram.frequencies.size(); first += Batch) {
        const std::size_t count = std::min(Batch, periodogram.frequencies.size() - first);
        sink.write(periodogram.frequencies.data() + first, periodogram.statistics.data() + first,
                   static_cast<int>(count));
    }
}

} // namespace

ScanOutcome methodScan(const WeightedSeries& series, const PeriodSeries& values,
                       const MethodSettings& settings, const FrequencyGrid& grid,
                       PeriodogramSink& sink, unsigned threads, ScanProgress& progress) {
    progress.total = countTrialFrequencies(grid);
    const Periodogram periodogram =
        methodPeriodogram(series, values, settings, grid, threads, &progress);
    ScanOutcome outcome;
    if (progress.cancel) {
        outcome.cancelled = true;
        return outcome;
    }
    deliverLines(periodogram, sink);
    outcome.lines = static_cast<long long>(periodogram.frequencies.size());
    if (outcome.lines > 0) {
        const std::size_t best = bestLine(periodogram, lowMarksPeriod(settings.method));
        outcome.best = PeriodogramLine{periodogram.frequencies[best], periodogram.statistics[best],
                                       periodogram.period(best)};
    }
    return outcome;
}

void writePeriodogram(const Periodogram& periodogram, const std::string& outputPath) {
    PeriodogramWriter writer(outputPath);
    deliverLines(periodogram, writer);
    writer.commit();
}

std::size_t bestLine(const Periodogram& p, bool lowIsBetter) {
    std::size_t best = 0;
    for (std::size_t j = 1; j < p.statistics.size(); ++j)
        if (lowIsBetter ? p.statistics[j] < p.statistics[best]
                        : p.statistics[j] > p.statistics[best])
            best = j;
    return best;
}

TransitBox bestTransit(const WeightedSeries& series, const MethodSettings& settings,
                       double frequency) {
    return BoxLeastSquares(series, settings.durations).bestBox(frequency);
}

FalseAlarm permutationFalseAlarm(const WeightedSeries& series, const PeriodSeries& values,
                                 const MethodSettings& settings, const FrequencyGrid& grid,
                                 double best, long long permutations, std::uint64_t seed,
                                 unsigned threads, const std::atomic<bool>* cancel) {
    const std::vector<double> frequencies = trialFrequencies(grid);
    const bool low = lowMarksPeriod(settings.method);
    std::atomic<long long> next{0}, asExtreme{0};
    auto work = [&] {
        WeightedSeries shuffled = series;
        PeriodSeries shuffledValues = values;
        std::vector<std::size_t> order(series.size());
        for (long long k; !cancelled(cancel) && (k = next.fetch_add(1)) < permutations;) {
            std::mt19937_64 random(splitMix(seed ^ splitMix(static_cast<std::uint64_t>(k))));
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            for (std::size_t i = order.size() - 1; i > 0; --i)
                std::swap(order[i], order[random() % (i + 1)]);
            for (std::size_t i = 0; i < order.size(); ++i) {
                shuffled.y[i] = series.y[order[i]];
                shuffled.w[i] = series.w[order[i]];
                shuffledValues.values[i + 1] = values.values[order[i] + 1];
            }
            const Periodogram p = periodogramAt(shuffled, shuffledValues, settings, frequencies, 1);
            const double top = p.statistics[bestLine(p, low)];
            if (low ? top <= best : top >= best) asExtreme.fetch_add(1);
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned w = 1; w < scanThreads(threads); ++w)
                helpers.emplace_back(work);
        } catch (const std::system_error&) {
            // A thread the system will not start leaves its shuffles to the others.
        }
        work();
    }
    FalseAlarm alarm;
    alarm.permutations = permutations;
    alarm.asExtreme = asExtreme;
    alarm.probability =
        static_cast<double>(alarm.asExtreme + 1) / static_cast<double>(permutations + 1);
    return alarm;
}

PeriodReport periodReport(const Periodogram& periodogram, const WeightedSeries& series,
                          const PeriodSeries& values, const MethodSettings& settings,
                          const FrequencyGrid& grid, long long permutations, std::uint64_t seed,
                          unsigned threads, const std::atomic<bool>* cancel) {
    PeriodReport report;
    report.method = settings.method;
    report.peaks = searchPeaks(periodogram, settings, series, values);
    if (report.peaks.empty()) throw QuelmarError(values.path, message::ScanWroteNoLine);
    if (settings.method == PeriodMethod::BoxLeastSquares)
        report.box = bestTransit(series, settings, report.peaks.front().frequency);
    if (permutations > 0)
        report.fap =
            permutationFalseAlarm(series, values, settings, grid, report.peaks.front().statistic,
                                  permutations, seed, threads, cancel);
    return report;
}

} // namespace quelmar
