#include "shell/widgets/label_fonts.h"

#include "shell/widgets/vertical_label.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace hygrova {
namespace {

const QString kLabelFace = QStringLiteral("WenQuanYi Micro Hei");
const QString kDegreeFace = QStringLiteral("DejaVu Sans");
constexpr char16_t kDegreeCelsius = u'\u2103';

// Qt keeps this much room between an entry box's contents rectangle and its text, each side.
constexpr qreal kLineEditTextMargin = 2;

}  // namespace

QFont LabelFont(qreal pointSize, const QString& text)
{
    QFont font;
    QStringList families;
    // Asked once: the font database takes long to answer, and fonts are fitted on every resize.
    static const bool haveDegreeFace = QFontDatabase::hasFamily(kDegreeFace);
    static const bool haveLabelFace = QFontDatabase::hasFamily(kLabelFace);
    if (haveDegreeFace && text.contains(QChar(kDegreeCelsius))) {
        families.append(kDegreeFace);
    }
    if (haveLabelFace) {
        families.append(kLabelFace);
    }
    if (!families.isEmpty()) {
        font.setFamilies(families);
    }
    font.setPointSizeF(pointSize);
    // Stated in full, so that nothing of a container's font (an italic frame caption) passes on.
    font.setItalic(false);
    font.setWeight(QFont::Normal);
    return font;
}

QSizeF TextRoom(const QWidget& control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.rect = box->rect();
        option.lineWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
                            : 0;
        const QRect contents =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
        const QMargins margins = box->textMargins();
        return QSizeF(contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin,
                      contents.height() - margins.top() - margins.bottom());
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(check);
        option.rect = check->rect();
        option.text = check->text();
        return QSizeF(
            check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check).size());
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return QSizeF(label->contentsRect().size());
    }
    return QSizeF(control.size());
}

bool TextFits(const QFont& font, const QString& text, QSizeF room, bool vertical)
{
    return TextFits(QFontMetricsF(font), text, room, vertical);
}

bool TextFits(const QFontMetricsF& metrics, const QString& text, QSizeF room, bool vertical)
{
    if (vertical) {
        qreal widest = 0;
        for (const QChar c : text) {
            widest = std::max(widest, metrics.horizontalAdvance(c));
        }
        return widest <= room.width() &&
               static_cast<qreal>(text.size()) * metrics.height() <= room.height();
    }
    // The ink may reach past the advance on the right (italic, some glyphs) and below the
    // baseline (parentheses, descenders); a label lays its line out from the top.
    const QRectF ink = metrics.tightBoundingRect(text);
    const qreal right = std::max(metrics.horizontalAdvance(text), ink.right());
    return right <= room.width() && metrics.ascent() + ink.bottom() <= room.height();
}

qreal FitFamilyFont(const std::vector<FontFitItem>& family, qreal largestPt, qreal smallestPt)
{
    // The family's texts take at most two fonts at a size, with and without the degree sign;
    // each is measured once.
    const auto allFit = [&family](qreal size) {
        std::vector<std::pair<QFont, QFontMetricsF>> measured;
        return std::all_of(family.begin(), family.end(), [&](const FontFitItem& item) {
            const QFont font = LabelFont(size, item.text);
            auto known = std::find_if(measured.begin(), measured.end(),
                                      [&font](const auto& m) { return m.first == font; });
            if (known == measured.end()) {
                known = measured.insert(measured.end(), {font, QFontMetricsF(font)});
            }
            const bool vertical = qobject_cast<const VerticalLabel*>(item.control) != nullptr;
            return TextFits(known->second, item.text, item.room, vertical);
        });
    };
    qreal size = largestPt;
    while (size - 0.5 >= smallestPt && !allFit(size)) {
        size -= 0.5;
    }
    for (const FontFitItem& item : family) {
        const QFont font = LabelFont(size, item.text);
        if (item.control->font() != font) {
            item.control->setFont(font);
        }
    }
    return size;
}


void KeepTextWhole(QLineEdit& box, std::function<qreal()> familyPt)
{
    QObject::connect(&box, &QLineEdit::textChanged, &box,
                     [&box, familyPt = std::move(familyPt)] { FitTextToBox(box, familyPt()); });
}

void FitTextToBox(QLineEdit& box, qreal familyPt)
{
    const QString text = box.text();
    const QSizeF room = TextRoom(box);
    const QFont family = LabelFont(familyPt, text);
    const bool whole = TextFits(family, text, room);
    if (whole) {
        if (box.font() != family) {
            box.setFont(family);
        }
    } else {
        FitFamilyFont({{&box, text, room}}, std::max(familyPt - 0.5, kSmallestLabelPointSize));
    }
    const QString tip = whole ? QString() : text;
    if (box.toolTip() != tip) {
        box.setToolTip(tip);
    }
}

}  // namespace hygrova
