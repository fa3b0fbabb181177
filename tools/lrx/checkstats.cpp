// Recomputes item statistics as the library keeps them while time steps are written, and
// compares them with those stored, through the exported statistics getters.
#include "checkstats.h"

#include <cmath>

namespace lrxtool {

namespace {

// The nine per-element entries.
enum Entry { kMax, kMin, kSum, kSquares, kPairProducts, kPrevious, kValid, kPairs, kDeletes };

// Mean, standard deviation and lag-one autocorrelation of an element, as the library derives
// them from the element's sums; none where they cannot be formed.
struct Derived {
    double mean, stdDev, autoCorr;
};

Derived derive(const std::array<double, 9>& e, double none) {
    const double n = e[kValid];
    const double p = e[kPairs];
    Derived d{none, none, none};
    d.mean = n == 0 ? none : e[kSum] / n;
    if (d.mean == none) return d;
    double variance = none;
    if (n > 1) variance = std::max(0.0, e[kSquares] / (n - 1) - n / (n - 1) * d.mean * d.mean);
    const double covariance = p != 0 ? e[kPairProducts] / p - d.mean * d.mean : none;
    if (variance == none) return d;
    d.stdDev = std::sqrt(variance);
    d.autoCorr = covariance == none || variance == 0 ? none : covariance / variance;
    return d;
}

bool close(double stored, double computed) {
    if (stored == computed) return true;
    return std::fabs(stored - computed) <= 1e-9 * std::max(std::fabs(stored), std::fabs(computed));
}

// Values of float items are written in their shortest float text.
std::string differs(const std::string& what, double stored, double computed, int dataType = 0) {
    const auto text = [dataType](double v) {
        return dataType == LRX_FLOAT ? floatText(static_cast<float>(v)) : numberText(v);
    };
    return "stored " + what + " " + text(stored) + ", the values give " + text(computed);
}

}  // namespace

StatsRecomputer::StatsRecomputer(GbxHeader* header)
    : header_(header),
      deletes_(deleteValuesOf(header)),
      none_(gbxGetDeleteValDouble(header)),
      perElement_(gbxGetItemStatsType(header) == 2 || gbxGetItemStatsType(header) == 3) {
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n) {
        GbxItem* item = gbxItemD(header, n);
        ItemSums sums;
        sums.minimum = none_;
        sums.maximum = none_;
        gbxGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &sums.dataType);
        std::array<double, 9> fresh{};
        fresh[kMax] = fresh[kMin] = fresh[kPrevious] = none_;
        if (perElement_) sums.elements.assign(static_cast<std::size_t>(gbxGetUsedItemElements(item)), fresh);
        items_.push_back(std::move(sums));
    }
}

void StatsRecomputer::add(int itemNo, const void* values, int64_t count) {
    ItemSums& sums = items_[static_cast<std::size_t>(itemNo - 1)];
    for (int64_t i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        std::array<double, 9>* e = at < sums.elements.size() ? &sums.elements[at] : nullptr;
        if (isDeleteValue(deletes_, sums.dataType, values, at)) {
            ++sums.deletes;
            if (e != nullptr) {
                (*e)[kDeletes] += 1;
                (*e)[kPrevious] = none_;
            }
            continue;
        }
        const double v = valueAsDouble(sums.dataType, values, at);
        if (e != nullptr) {
            if ((*e)[kMax] == none_ || v >= (*e)[kMax]) (*e)[kMax] = v;
            if ((*e)[kMin] == none_ || v <= (*e)[kMin]) (*e)[kMin] = v;
            (*e)[kSum] += v;
            (*e)[kSquares] += v * v;
            (*e)[kValid] += 1;
            if ((*e)[kPrevious] != none_) {
                (*e)[kPairProducts] += v * (*e)[kPrevious];
                (*e)[kPairs] += 1;
            }
            (*e)[kPrevious] = v;
        }
        if (sums.maximum == none_ || v >= sums.maximum) sums.maximum = v;
        if (sums.minimum == none_ || v <= sums.minimum) sums.minimum = v;
    }
}

bool StatsRecomputer::globalAgrees(int itemNo, const ItemSums& sums, StatsMismatch* mismatch) const {
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(gbxItemD(header_, itemNo), &min, &max, &deletes);
    mismatch->itemNo = itemNo;
    mismatch->element = -1;
    if (min != sums.minimum)
        mismatch->what = differs("minimum", min, sums.minimum, sums.dataType);
    else if (max != sums.maximum)
        mismatch->what = differs("maximum", max, sums.maximum, sums.dataType);
    else if (deletes != sums.deletes)
        mismatch->what = differs("count of delete values", deletes, double(sums.deletes));
    return mismatch->what.empty();
}

bool StatsRecomputer::elementAgrees(int itemNo, int element, const std::array<double, 9>& e,
                                    StatsMismatch* mismatch) const {
    const int dataType = items_[static_cast<std::size_t>(itemNo - 1)].dataType;
    double min = 0, max = 0, mean = 0, stdDev = 0, autoCorr = 0;
    int valid = 0, deletes = 0, pairs = 0;
    mismatch->itemNo = itemNo;
    mismatch->element = element;
    const int code =
        gbxGetItemStats(header_, itemNo, element, &min, &max, &mean, &stdDev, &autoCorr, &valid, &deletes, &pairs);
    if (code != 0) {
        mismatch->what = "the header holds no statistics for this element";
        return false;
    }
    const Derived d = derive(e, none_);
    if (min != e[kMin])
        mismatch->what = differs("minimum", min, e[kMin], dataType);
    else if (max != e[kMax])
        mismatch->what = differs("maximum", max, e[kMax], dataType);
    else if (valid != e[kValid])
        mismatch->what = differs("count of valid values", valid, e[kValid]);
    else if (deletes != e[kDeletes])
        mismatch->what = differs("count of delete values", deletes, e[kDeletes]);
    else if (pairs != e[kPairs])
        mismatch->what = differs("count of consecutive pairs", pairs, e[kPairs]);
    else if (!close(mean, d.mean))
        mismatch->what = differs("mean", mean, d.mean);
    else if (!close(stdDev, d.stdDev))
        mismatch->what = differs("standard deviation", stdDev, d.stdDev);
    else if (!close(autoCorr, d.autoCorr))
        mismatch->what = differs("autocorrelation", autoCorr, d.autoCorr);
    return mismatch->what.empty();
}

bool StatsRecomputer::agree(StatsMismatch* mismatch) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int itemNo = static_cast<int>(i) + 1;
        if (!globalAgrees(itemNo, items_[i], mismatch)) return false;
        for (std::size_t e = 0; e < items_[i].elements.size(); ++e) {
            if (!elementAgrees(itemNo, static_cast<int>(e), items_[i].elements[e], mismatch)) return false;
        }
    }
    return true;
}

}  // namespace lrxtool
