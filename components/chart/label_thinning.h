// Which category labels of the x axis to show so that none overlap: every
// k-th label, with k the smallest of 1, 2, 5, 10, 20, 50, ... for which the
// shown labels, at their measured widths, leave a gap between neighbours.
#pragma once

#include <functional>
#include <vector>

namespace chartcomponent {

// Positions first..last are categories pixelsPerCategory apart; labelWidth(p)
// gives the pixel width of the label of category p. Returns the categories
// whose labels are shown (multiples of the chosen step), ascending.
std::vector<int> thinCategoryLabels(int first, int last, double pixelsPerCategory,
                                    const std::function<double(int)>& labelWidth, double minimumGap);

// The step sequence 1, 2, 5, 10, 20, 50, ...: the smallest member >= wanted.
long long niceLabelStep(double wanted);

}  // namespace chartcomponent
