#include "FoldKernels.h"

#include <algorithm>
#include <bit>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#define QUELMAR_FOLD_WIDE 1
#endif

namespace quelmar {

namespace {

// The keys of the phases of `count` offsets: the phase less a half, scaled to 32 bits and
// truncated, then moved back up by 2^31, which a vector unit converts in one instruction. The
// steps are monotonic, so a larger key never has a smaller phase; a phase that rounded up to
// exactly 1 shares the last key with the largest phases below it. Every lane computes alike,
// so the keys are the same with or without vectors.
inline void portablePhaseKeys(const double* offset, std::uint32_t* key, std::size_t count,
                              double frequency) {
    for (std::size_t i = 0; i < count; ++i) {
        const double x = offset[i] * frequency;
        const double raw = x - std::trunc(x);
        const double phase = raw < 0 ? raw + 1 : raw;
        const double scaled = (phase - 0.5) * 0x1p32;
        const double below = scaled < 2147483647.0 ? scaled : 2147483647.0;
        key[i] = static_cast<std::uint32_t>(static_cast<std::int32_t>(below)) ^ 0x8000'0000u;
    }
}

// Each count replaced by the sum of the counts up to it; returns the largest count.
inline std::uint32_t portableRunningSums(std::uint32_t* count, std::size_t size) {
    std::uint32_t largest = 0, sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        largest = std::max(largest, count[i]);
        count[i] = sum += count[i];
    }
    return largest;
}

#ifdef QUELMAR_FOLD_WIDE
// Four lanes at a time, step for step as above: the operations are exactly rounded, so the
// keys are the same.
__attribute__((target("avx2"))) void widePhaseKeys(const double* offset, std::uint32_t* key,
                                                   std::size_t count, double frequency) {
    const __m256d f = _mm256_set1_pd(frequency);
    const __m256d zero = _mm256_setzero_pd(), one = _mm256_set1_pd(1), half = _mm256_set1_pd(0.5);
    const __m256d scale = _mm256_set1_pd(0x1p32), top = _mm256_set1_pd(2147483647.0);
    const __m128i flip = _mm_set1_epi32(static_cast<int>(0x8000'0000u));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d x = _mm256_mul_pd(_mm256_loadu_pd(offset + i), f);
        const __m256d raw =
            _mm256_sub_pd(x, _mm256_round_pd(x, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
        const __m256d phase =
            _mm256_blendv_pd(raw, _mm256_add_pd(raw, one), _mm256_cmp_pd(raw, zero, _CMP_LT_OQ));
        const __m256d scaled = _mm256_mul_pd(_mm256_sub_pd(phase, half), scale);
        const __m256d below = _mm256_min_pd(scaled, top); // top for a NaN, as above
        _mm_storeu_si128(reinterpret_cast<__m128i*>(key + i),
                         _mm_xor_si128(_mm256_cvttpd_epi32(below), flip));
    }
    portablePhaseKeys(offset + i, key + i, count - i, frequency);
}

__attribute__((target("avx2"))) std::uint32_t wideRunningSums(std::uint32_t* count,
                                                              std::size_t size) {
    __m256i carry = _mm256_setzero_si256(), largest = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(count + i));
        largest = _mm256_max_epu32(largest, x);
        x = _mm256_add_epi32(x, _mm256_slli_si256(x, 4)); // sums within each half
        x = _mm256_add_epi32(x, _mm256_slli_si256(x, 8));
        const __m256i lowTotal = _mm256_shuffle_epi32(x, 0xFF);
        x = _mm256_add_epi32(x, _mm256_permute2x128_si256(lowTotal, lowTotal, 0x08));
        x = _mm256_add_epi32(x, carry);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(count + i), x);
        carry = _mm256_permutevar8x32_epi32(x, _mm256_set1_epi32(7));
    }
    std::uint32_t lanes[8];
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), largest);
    std::uint32_t most = *std::max_element(lanes, lanes + 8);
    std::uint32_t sum = i > 0 ? count[i - 1] : 0;
    for (; i < size; ++i) {
        most = std::max(most, count[i]);
        count[i] = sum += count[i];
    }
    return most;
}

#endif

// No exchange depends on a comparison before it, and none branches on one.
inline void portableExchangeNeighbours(std::uint64_t* order, std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; i += 2) {
        const std::uint64_t a = order[i], b = order[i + 1];
        order[i] = a < b ? a : b;
        order[i + 1] = a < b ? b : a;
    }
}

inline std::size_t portableFirstUnsure(const std::uint64_t* order, std::size_t from,
                                       std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (keyOf(order[i - 1]) >= keyOf(order[i])) return i;
    return to;
}

#ifdef QUELMAR_FOLD_WIDE
// The same two, four entries at a time. Entries compare as unsigned numbers: with the top bit
// flipped, the signed comparison the vector unit has gives the same answer.
__attribute__((target("avx2"))) void wideExchangeNeighbours(std::uint64_t* order, std::size_t first,
                                                            std::size_t last) {
    const __m256i top = _mm256_set1_epi64x(static_cast<long long>(0x8000'0000'0000'0000u));
    const __m256i upper = _mm256_set_epi64x(-1, 0, -1, 0); // the second entry of each pair
    std::size_t i = first;
    for (; i + 2 < last; i += 4) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(order + i));
        const __m256i partner = _mm256_permute4x64_epi64(v, 0b10'11'00'01);
        const __m256i above =
            _mm256_cmpgt_epi64(_mm256_xor_si256(v, top), _mm256_xor_si256(partner, top));
        const __m256i take = _mm256_xor_si256(above, upper);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(order + i),
                            _mm256_blendv_epi8(v, partner, take));
    }
    portableExchangeNeighbours(order, i, last);
}

__attribute__((target("avx2"))) std::size_t wideFirstUnsure(const std::uint64_t* order,
                                                            std::size_t from, std::size_t to) {
    std::size_t i = from;
    for (; i + 4 <= to; i += 4) {
        const __m256i before = _mm256_srli_epi64(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(order + i - 1)), 32);
        const __m256i here =
            _mm256_srli_epi64(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(order + i)), 32);
        const auto above = static_cast<unsigned>(
            _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpgt_epi64(here, before))));
        if (above != 0xF) return i + static_cast<std::size_t>(std::countr_one(above));
    }
    return portableFirstUnsure(order, i, to);
}

#endif

#ifdef QUELMAR_FOLD_WIDE
// Eight lanes at a time where the processor has AVX-512, step for step as the four-lane loops.
// GCC 12 takes the undefined vectors these intrinsics start from for uninitialised values.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f"))) void widestPhaseKeys(const double* offset, std::uint32_t* key,
                                                        std::size_t count, double frequency) {
    const __m512d f = _mm512_set1_pd(frequency);
    const __m512d zero = _mm512_setzero_pd(), one = _mm512_set1_pd(1), half = _mm512_set1_pd(0.5);
    const __m512d scale = _mm512_set1_pd(0x1p32), top = _mm512_set1_pd(2147483647.0);
    const __m256i flip = _mm256_set1_epi32(static_cast<int>(0x8000'0000u));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m512d x = _mm512_mul_pd(_mm512_loadu_pd(offset + i), f);
        const __m512d raw =
            _mm512_sub_pd(x, _mm512_roundscale_pd(x, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
        const __m512d phase =
            _mm512_mask_add_pd(raw, _mm512_cmp_pd_mask(raw, zero, _CMP_LT_OQ), raw, one);
        const __m512d scaled = _mm512_mul_pd(_mm512_sub_pd(phase, half), scale);
        const __m512d below = _mm512_min_pd(scaled, top); // top for a NaN, as above
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(key + i),
                            _mm256_xor_si256(_mm512_cvttpd_epi32(below), flip));
    }
    portablePhaseKeys(offset + i, key + i, count - i, frequency);
}

__attribute__((target("avx512f"))) std::uint32_t widestRunningSums(std::uint32_t* count,
                                                                   std::size_t size) {
    const __m512i zero = _mm512_setzero_si512(), last = _mm512_set1_epi32(15);
    __m512i carry = zero, largest = zero;
    std::size_t i = 0;
    for (; i + 16 <= size; i += 16) {
        __m512i x = _mm512_loadu_si512(count + i);
        largest = _mm512_max_epu32(largest, x);
        x = _mm512_add_epi32(x, _mm512_alignr_epi32(x, zero, 15)); // lanes moved up by one
        x = _mm512_add_epi32(x, _mm512_alignr_epi32(x, zero, 14));
        x = _mm512_add_epi32(x, _mm512_alignr_epi32(x, zero, 12));
        x = _mm512_add_epi32(x, _mm512_alignr_epi32(x, zero, 8));
        x = _mm512_add_epi32(x, carry);
        _mm512_storeu_si512(count + i, x);
        carry = _mm512_permutexvar_epi32(last, x);
    }
    std::uint32_t most = _mm512_reduce_max_epu32(largest);
    std::uint32_t sum = i > 0 ? count[i - 1] : 0;
    for (; i < size; ++i) {
        most = std::max(most, count[i]);
        count[i] = sum += count[i];
    }
    return most;
}

__attribute__((target("avx512f"))) void
widestExchangeNeighbours(std::uint64_t* order, std::size_t first, std::size_t last) {
    std::size_t i = first;
    for (; i + 6 < last; i += 8) {
        const __m512i v = _mm512_loadu_si512(order + i);
        const __m512i partner = _mm512_permutex_epi64(v, 0b10'11'00'01);
        // The first of a pair takes its partner when above it, the second when not.
        const __mmask8 take = _mm512_cmpgt_epu64_mask(v, partner) ^ 0xAA;
        _mm512_storeu_si512(order + i, _mm512_mask_blend_epi64(take, v, partner));
    }
    portableExchangeNeighbours(order, i, last);
}

__attribute__((target("avx512f"))) std::size_t widestFirstUnsure(const std::uint64_t* order,
                                                                 std::size_t from, std::size_t to) {
    // Each key is compared with the one before it moved in from the previous load rather than
    // loaded again an entry back: such a load would straddle two of the stores the exchanges
    // just made and wait for them to reach the cache. The first lane not above its neighbour
    // is the answer.
    std::size_t i = from;
    __m512i last = _mm512_set1_epi64(static_cast<long long>(keyOf(order[i - 1])));
    for (; i + 8 <= to; i += 8) {
        const __m512i here = _mm512_srli_epi64(_mm512_loadu_si512(order + i), 32);
        const unsigned above = _mm512_cmpgt_epu64_mask(here, _mm512_alignr_epi64(here, last, 7));
        if (above != 0xFF) return i + static_cast<std::size_t>(std::countr_one(above));
        last = here;
    }
    return portableFirstUnsure(order, i, to);
}
#pragma GCC diagnostic pop

#endif

// The widest loops this processor has, or the ones asked for: chosen at the first call rather
// than by the loader, which sanitizers do not allow.
enum class Width { Portable, Four, Eight };

Width widthFor(FoldLanes lanes) {
#ifdef QUELMAR_FOLD_WIDE
    static const Width widest = __builtin_cpu_supports("avx512f") ? Width::Eight
                                : __builtin_cpu_supports("avx2")  ? Width::Four
                                                                  : Width::Portable;
    switch (lanes) {
    case FoldLanes::Widest:
        return widest;
    case FoldLanes::Four:
        return widest == Width::Portable ? Width::Portable : Width::Four;
    case FoldLanes::Portable:
        return Width::Portable;
    }
#endif
    (void)lanes;
    return Width::Portable;
}

} // namespace

void phaseKeys(const double* offset, std::uint32_t* key, std::size_t count, double frequency,
               FoldLanes lanes) {
    switch (widthFor(lanes)) {
#ifdef QUELMAR_FOLD_WIDE
    case Width::Eight:
        return widestPhaseKeys(offset, key, count, frequency);
    case Width::Four:
        return widePhaseKeys(offset, key, count, frequency);
#endif
    default:
        return portablePhaseKeys(offset, key, count, frequency);
    }
}

std::uint32_t runningSums(std::uint32_t* count, std::size_t size, FoldLanes lanes) {
    switch (widthFor(lanes)) {
#ifdef QUELMAR_FOLD_WIDE
    case Width::Eight:
        return widestRunningSums(count, size);
    case Width::Four:
        return wideRunningSums(count, size);
#endif
    default:
        return portableRunningSums(count, size);
    }
}

void exchangeNeighbours(std::uint64_t* order, std::size_t first, std::size_t last,
                        FoldLanes lanes) {
    switch (widthFor(lanes)) {
#ifdef QUELMAR_FOLD_WIDE
    case Width::Eight:
        return widestExchangeNeighbours(order, first, last);
    case Width::Four:
        return wideExchangeNeighbours(order, first, last);
#endif
    default:
        return portableExchangeNeighbours(order, first, last);
    }
}

std::size_t firstUnsure(const std::uint64_t* order, std::size_t from, std::size_t to,
                        FoldLanes lanes) {
    switch (widthFor(lanes)) {
#ifdef QUELMAR_FOLD_WIDE
    case Width::Eight:
        return widestFirstUnsure(order, from, to);
    case Width::Four:
        return wideFirstUnsure(order, from, to);
#endif
    default:
        return portableFirstUnsure(order, from, to);
    }
}

} // namespace quelmar
