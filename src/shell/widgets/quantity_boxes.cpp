#include "shell/widgets/quantity_boxes.h"

#include "shell/platform/twips.h"
#include "shell/widgets/control_style.h"

#include <QLabel>
#include <QLineEdit>

namespace hygrova {
namespace {

// The height of a caption, twips.
constexpr double kCaptionHeight = 255;

}  // namespace

QuantityBoxes AddQuantityBoxes(QWidget* panel,
                               const std::array<QuantityBoxPlace, kStateQuantityCount>& places,
                               double boxWidth, double boxHeight)
{
    const double tpp = TwipsPerPixel(panel);
    QuantityBoxes made;
    for (int k = 0; k < kStateQuantityCount; ++k) {
        const QuantityBoxPlace& place = places[k];
        auto* caption = new QLabel(QString::fromUtf8(kQuantityCaptions[k].caption), panel);
        caption->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        caption->setGeometry(
            ToPixels(place.captionLeft, place.top, place.captionWidth, kCaptionHeight, tpp));
        SetTextColor(caption, kBlue);
        made.captions[k] = caption;
    }
    for (int k = 0; k < kStateQuantityCount; ++k) {
        auto* box = new QLineEdit(panel);
        box->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        box->setGeometry(ToPixels(places[k].boxLeft, places[k].top, boxWidth, boxHeight, tpp));
        SetBoxColors(box, kBlue, kBoxBackground);
        made.boxes[k] = box;
    }
    return made;
}

}  // namespace hygrova
