#include "shell/export/chart_sheet.h"

#include "shell/widgets/chart_surface.h"
#include "shell/platform/twips.h"
#include "shell/widgets/vertical_label.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace hygrova {
namespace {

// Room left around the chart's outermost labels, screen pixels.
constexpr int kMarginPx = 8;

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// The widget's font sized in twips, as SheetText keeps it.
QFont FontInTwips(const QWidget& widget, double tpp)
{
    QFont font = widget.font();
    const double twips = font.pointSizeF() > 0 ? font.pointSizeF() * 20 : font.pixelSize() * tpp;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(twips))));
    return font;
}

QRectF ToTwips(const QRectF& px, double tpp)
{
    return QRectF(px.x() * tpp, px.y() * tpp, px.width() * tpp, px.height() * tpp);
}

// The texts a label shows, its rectangle given in pixels of the client area.
void AddLabelTexts(std::vector<SheetText>& texts, const QLabel& label, const QRect& rectPx,
                   double tpp)
{
    const QFont font = FontInTwips(label, tpp);
    const QColor color = label.palette().color(QPalette::WindowText);
    if (qobject_cast<const VerticalLabel*>(&label) != nullptr) {
        // One character under the other, as the label paints itself.
        const int lineHeight = label.fontMetrics().height();
        int top = rectPx.top();
        for (const QChar c : label.text()) {
            texts.push_back({QString(c), font, color,
                             ToTwips(QRect(rectPx.left(), top, rectPx.width(), lineHeight), tpp),
                             Qt::AlignHCenter | Qt::AlignTop, false});
            top += lineHeight;
        }
        return;
    }
    texts.push_back({label.text(), font, color, ToTwips(rectPx, tpp),
                     static_cast<int>(label.alignment()), label.autoFillBackground()});
}

// Where the text ink of the label lies, pixels of its container.
QRectF InkRect(const QLabel& label)
{
    if (qobject_cast<const VerticalLabel*>(&label) != nullptr) {
        return QRectF(label.geometry());
    }
    return QFontMetricsF(label.font())
        .boundingRect(QRectF(label.geometry()), static_cast<int>(label.alignment()), label.text());
}

// The pressure caption where the readout panel shows it.
SheetText PressureCaption(const QGroupBox& frame, const QPoint& offsetPx, double tpp)
{
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &frame);
    return {frame.title(),
            FontInTwips(frame, tpp),
            frame.palette().color(QPalette::WindowText),
            ToTwips(label.translated(frame.pos() + offsetPx), tpp),
            Qt::AlignLeft | Qt::AlignVCenter,
            false};
}

void DrawText(QPainter& painter, const SheetText& text)
{
    if (text.boxed) {
        painter.fillRect(text.rect, Qt::white);
    }
    painter.setFont(text.font);
    painter.setPen(text.color);
    painter.drawText(text.rect, text.flags | Qt::TextDontClip, text.text);
}

}  // namespace

ChartSheet CaptureChartSheet(const ChartWidgets& chart)
{
    const ChartSurface& picture = *chart.picture;
    const double tpp = TwipsPerPixel(&picture);

    // The sheet spans the picture and the ink of the visible scale labels beside it, in
    // whole pixels of the client area, so that the picture's pixels stay whole.
    std::vector<const QLabel*> beside;
    for (const QLabel* label : chart.besideLabels) {
        if (label->isVisibleTo(chart.area)) {
            beside.push_back(label);
        }
    }
    QRectF extent(picture.geometry());
    for (const QLabel* label : beside) {
        extent |= InkRect(*label);
    }
    const QRect bounds =
        extent.toAlignedRect().adjusted(-kMarginPx, -kMarginPx, kMarginPx, kMarginPx);
    const QPoint origin = bounds.topLeft();
    const QPoint pictureOffset = picture.pos() - origin;

    ChartSheet sheet;
    sheet.width = bounds.width() * tpp;
    sheet.height = bounds.height() * tpp;
    sheet.pixelTwips = tpp;
    sheet.picture = ToTwips(QRectF(picture.geometry().translated(-origin)), tpp);
    sheet.segments =
        VisibleSegments(picture.DrawnSegments(), picture.WidthTwips(), picture.HeightTwips());
    sheet.marks = picture.Marks();
    sheet.underlay = picture.Underlay();
    sheet.retained = picture.RetainedImage();
    for (const QLabel* label : beside) {
        AddLabelTexts(sheet.besideTexts, *label, label->geometry().translated(-origin), tpp);
    }
    for (const QLabel* label : chart.onLabels) {
        if (label->isVisibleTo(&picture)) {
            AddLabelTexts(sheet.onTexts, *label, label->geometry().translated(pictureOffset), tpp);
        }
    }
    sheet.onTexts.push_back(PressureCaption(*chart.pressureFrame, pictureOffset, tpp));
    return sheet;
}

QTransform SheetToOutput(const SheetPlacement& placement)
{
    return QTransform(placement.scale, 0, 0, placement.scale, placement.left, placement.top);
}

void PaintChartSheet(QPainter& painter, const ChartSheet& sheet, const SheetPlacement& placement,
                     bool usePicture)
{
    painter.save();
    painter.setTransform(SheetToOutput(placement), true);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const SheetText& text : sheet.besideTexts) {
        DrawText(painter, text);
    }
    if (usePicture) {
        painter.drawImage(sheet.picture, sheet.retained);
    } else {
        painter.fillRect(sheet.picture, Qt::white);
        painter.save();
        painter.setClipRect(sheet.picture);
        painter.translate(sheet.picture.topLeft());
        PaintUnderlay(painter, sheet.underlay, QRectF(QPointF(), sheet.picture.size()),
                      sheet.pixelTwips);
        QPen pen;
        pen.setWidthF(sheet.pixelTwips);
        pen.setCapStyle(Qt::FlatCap);
        // Runs of one color go to the painter together; the order of the list is kept, so
        // later lines still paint over earlier ones.
        std::vector<QLineF> run;
        for (std::size_t i = 0; i < sheet.segments.size(); ++i) {
            const ChartSegment& s = sheet.segments[i];
            run.emplace_back(s.x1, s.y1, s.x2, s.y2);
            if (i + 1 == sheet.segments.size() || sheet.segments[i + 1].color != s.color) {
                pen.setColor(ToQColor(QBColor(s.color)));
                painter.setPen(pen);
                painter.drawLines(run.data(), static_cast<int>(run.size()));
                run.clear();
            }
        }
        for (const ChartMark& mark : sheet.marks) {
            pen.setColor(ToQColor(mark.outline));
            painter.setPen(pen);
            painter.setBrush(mark.fill ? QBrush(ToQColor(*mark.fill)) : QBrush(Qt::NoBrush));
            painter.drawEllipse(QPointF(mark.x, mark.y), mark.radius, mark.radius);
        }
        painter.restore();
    }
    for (const SheetText& text : sheet.onTexts) {
        DrawText(painter, text);
    }
    painter.restore();
}

}  // namespace hygrova
