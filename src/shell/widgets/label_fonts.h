#pragma once

#include <functional>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>
#include <QString>

class QLineEdit;
class QWidget;

namespace hygrova {

// The font of the windows' captions, scale labels and value boxes for `text`: WenQuanYi
// Micro Hei, whose Han characters stay crisp and whose figures are narrow at small sizes,
// where it is installed, else the default sans-serif face. Its degree-Celsius sign is
// blank, so a text with one takes DejaVu Sans first, falling back to it for the Han.
QFont LabelFont(qreal pointSize, const QString& text = QString());

// One control of a family of controls that share a font size, with the text it must show
// whole and the room it has for it (logical pixels).
// Labels are drawn at the design's 9 pt where they have the room, never below 6 pt.
inline constexpr qreal kLabelPointSize = 9;
inline constexpr qreal kSmallestLabelPointSize = 6;

struct FontFitItem {
    QWidget* control;
    QString text;
    QSizeF room;
};

// The room a control has for its text, logical pixels: a label's contents, a tick box's
// caption area beside the indicator, an entry box's text area inside its frame and margins.
QSizeF TextRoom(const QWidget& control);

// Whether `text` in `font` shows whole in `room`: every character's ink within the room's
// width and height, for a text laid out from the room's top-left as a label does (or one
// character under the other when `vertical`).
bool TextFits(const QFont& font, const QString& text, QSizeF room, bool vertical = false);
bool TextFits(const QFontMetricsF& metrics, const QString& text, QSizeF room, bool vertical);

// Gives every control of the family LabelFont (for its text) at the largest size, from `largestPt`
// down in half-point steps to `smallestPt`, at which each item's text fits its room (the smallest
// size where none fits), so that the family reads alike. Returns the size.
qreal FitFamilyFont(const std::vector<FontFitItem>& family, qreal largestPt = kLabelPointSize,
                    qreal smallestPt = kSmallestLabelPointSize);

// Keeps the text of a value or entry box whole whenever it changes, whoever changes it
// (FitTextToBox with the size familyPt() gives at that moment): a text of unusual length
// shows in a smaller font rather than cut.
void KeepTextWhole(QLineEdit& box, std::function<qreal()> familyPt);

// Gives the box LabelFont at the largest size, from familyPt (the size its family of boxes
// shows at) down in half-point steps to 6 pt, at which its text fits, and, while the text does
// not fit at familyPt, the whole text as its tooltip.
void FitTextToBox(QLineEdit& box, qreal familyPt);

}  // namespace hygrova
