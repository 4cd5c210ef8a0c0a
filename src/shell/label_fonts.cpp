#include "shell/label_fonts.h"

#include "shell/vertical_label.h"

#include <algorithm>

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
    if (text.contains(QChar(kDegreeCelsius)) && QFontDatabase::hasFamily(kDegreeFace)) {
        families.append(kDegreeFace);
    }
    if (QFontDatabase::hasFamily(kLabelFace)) {
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
    const QFontMetricsF metrics(font);
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
    const auto allFit = [&family](qreal size) {
        return std::all_of(family.begin(), family.end(), [size](const FontFitItem& item) {
            const bool vertical = qobject_cast<const VerticalLabel*>(item.control) != nullptr;
            return TextFits(LabelFont(size, item.text), item.text, item.room, vertical);
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

}  // namespace hygrova
