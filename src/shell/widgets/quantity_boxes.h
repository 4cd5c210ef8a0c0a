#pragma once

#include "common/state_texts.h"

#include <array>

class QLabel;
class QLineEdit;
class QWidget;

namespace hygrova {

// Where one quantity's caption and box stand in a panel, twips in the panel.
struct QuantityBoxPlace {
    double captionLeft;
    double captionWidth;
    double boxLeft;
    double top;
};

// The captions and boxes of the eight quantities, indexed by StateQuantity.
struct QuantityBoxes {
    std::array<QLabel*, kStateQuantityCount> captions{};
    std::array<QLineEdit*, kStateQuantityCount> boxes{};
};

// Puts the eight quantities' captions (kQuantityCaptions, blue) and boxes (blue on pale
// yellow, boxWidth x boxHeight twips) into `panel` at their places, named Label1..Label8 and
// Text1..Text8. All captions come before all boxes, so that the tab order runs through the
// boxes alone.
QuantityBoxes AddQuantityBoxes(QWidget* panel,
                               const std::array<QuantityBoxPlace, kStateQuantityCount>& places,
                               double boxWidth, double boxHeight);

}  // namespace hygrova
