// Radix sort of doubles; see radix_sort.h.
//
// A double's bits, with the sign bit flipped for positive numbers and all
// bits flipped for negative ones, order as unsigned integers exactly as the
// numbers order. The keys are kept in double storage (bit for bit) so the
// result vector itself is one of the two work areas. All digit histograms
// are counted in one pass; a pass whose digit is the same for every value is
// skipped.
#include "capability/radix_sort.h"

#include <array>
#include <bit>
#include <cstdint>

namespace capability {

namespace {

constexpr int kDigitBits = 11;
constexpr int kPasses = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::uint64_t kDigitMask = (std::uint64_t(1) << kDigitBits) - 1;
constexpr std::size_t kBuckets = std::size_t(1) << kDigitBits;
constexpr std::uint64_t kSignBit = std::uint64_t(1) << 63;

std::uint64_t keyOf(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return (bits & kSignBit) ? ~bits : bits ^ kSignBit;
}

double valueOf(std::uint64_t key)
{
    return std::bit_cast<double>((key & kSignBit) ? key ^ kSignBit : ~key);
}

std::uint64_t bitsOf(double stored) { return std::bit_cast<std::uint64_t>(stored); }
double stored(std::uint64_t bits) { return std::bit_cast<double>(bits); }

}  // namespace

std::vector<double> sortedCopy(std::span<const double> values)
{
    const std::size_t n = values.size();
    std::vector<double> keys(n);
    std::vector<std::array<std::size_t, kPasses>> counts(kBuckets, std::array<std::size_t, kPasses>{});
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = keyOf(values[i]);
        keys[i] = stored(key);
        for (int pass = 0; pass < kPasses; ++pass)
            ++counts[(key >> (pass * kDigitBits)) & kDigitMask][std::size_t(pass)];
    }
    std::vector<double> buffer(n > 1 ? n : 0);
    for (int pass = 0; pass < kPasses && n > 1; ++pass) {
        const std::size_t p = std::size_t(pass);
        const int shift = pass * kDigitBits;
        if (counts[(bitsOf(keys[0]) >> shift) & kDigitMask][p] == n)
            continue;   // every value has this digit
        std::size_t offset = 0;
        for (auto& bucket : counts) {
            const std::size_t count = bucket[p];
            bucket[p] = offset;
            offset += count;
        }
        for (double key : keys)
            buffer[counts[(bitsOf(key) >> shift) & kDigitMask][p]++] = key;
        keys.swap(buffer);
    }
    for (double& key : keys)
        key = valueOf(bitsOf(key));
    return keys;
}

}  // namespace capability
