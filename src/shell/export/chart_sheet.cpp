#include "shell/export/chart_sheet.h"

#include "common/app_state.h"
#include "common/number_text.h"
#include "shell/platform/twips.h"
#include "shell/widgets/chart_surface.h"
#include "shell/widgets/vertical_label.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace hygrova {
namespace {

// Room left around the chart's outermost labels, screen pixels.
constexpr int kMarginPx = 8;
// How far inside the picture's right and bottom edges a line must be to show, screen pixels.
constexpr double kInsideEdge = 0.01;

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

// Where the text ink of the label lies, pixels of its container.
QRectF InkRect(const QLabel& label)
{
    if (qobject_cast<const VerticalLabel*>(&label) != nullptr) {
        return QRectF(label.geometry());
    }
    return QFontMetricsF(label.font())
        .boundingRect(QRectF(label.geometry()), static_cast<int>(label.alignment()), label.text());
}

// The part of the widget the screen shows (its own rectangle cut by its containers and by the
// controls over it), pixels of the widget; empty when none.
QRegion ShownPart(const QWidget& widget)
{
    return widget.isVisible() ? widget.visibleRegion() : QRegion();
}

// The part of a control the screen shows, as SheetText keeps it (empty when the text's own
// rectangle `textRect` shows whole), both in pixels of the control; `offsetPx` places the
// control on the sheet.
QPainterPath VisiblePart(const QRegion& shown, const QRect& textRect, const QPoint& offsetPx,
                         double tpp)
{
    if ((QRegion(textRect) - shown).isEmpty()) {
        return QPainterPath();
    }
    QPainterPath part;
    part.addRegion(shown.translated(offsetPx));
    return QTransform::fromScale(tpp, tpp).map(part);
}

// The texts a label shows, its rectangle given in pixels of the sheet; none when the screen
// shows none of it.
void AddLabelTexts(std::vector<SheetText>& texts, const QLabel& label, const QRect& rectPx,
                   double tpp)
{
    const QRegion shown = ShownPart(label);
    if (shown.isEmpty()) {
        return;
    }
    const QRect ink = InkRect(label).toAlignedRect().translated(-label.pos());
    const QPainterPath visible = VisiblePart(shown, ink, rectPx.topLeft(), tpp);
    const QFont font = FontInTwips(label, tpp);
    const QColor color = label.palette().color(QPalette::WindowText);
    if (qobject_cast<const VerticalLabel*>(&label) != nullptr) {
        // One character under the other at the label's left edge, as the label paints itself.
        const int lineHeight = label.fontMetrics().height();
        int top = rectPx.top();
        for (const QChar c : label.text()) {
            texts.push_back({QString(c), font, color,
                             ToTwips(QRect(rectPx.left(), top, rectPx.width(), lineHeight), tpp),
                             Qt::AlignLeft | Qt::AlignTop, false, visible});
            top += lineHeight;
        }
        return;
    }
    texts.push_back({label.text(), font, color, ToTwips(rectPx, tpp),
                     static_cast<int>(label.alignment()), label.autoFillBackground(), visible});
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
            false,
            VisiblePart(ShownPart(frame), label, frame.pos() + offsetPx, tpp)};
}

void DrawWholeText(QPainter& painter, const SheetText& text)
{
    if (text.boxed) {
        painter.fillRect(text.rect, Qt::white);
    }
    painter.setFont(text.font);
    painter.setPen(text.color);
    painter.drawText(text.rect, text.flags | Qt::TextDontClip, text.text);
}

// A label the screen shows in part. Qt's SVG writer drops clipping: there the visible part of
// the text's outline is drawn instead of the text.
void DrawText(QPainter& painter, const SheetText& text)
{
    if (text.visiblePart.isEmpty()) {
        DrawWholeText(painter, text);
        return;
    }
    painter.save();
    if (painter.paintEngine()->type() != QPaintEngine::SVG) {
        painter.setClipPath(text.visiblePart, Qt::IntersectClip);
        DrawWholeText(painter, text);
    } else {
        if (text.boxed) {
            QPainterPath box;
            box.addRect(text.rect);
            painter.fillPath(box.intersected(text.visiblePart), Qt::white);
        }
        const QFontMetricsF metrics(text.font);
        const QRectF ink = metrics.boundingRect(text.rect, text.flags, text.text);
        QPainterPath outline;
        outline.addText(QPointF(ink.left(), ink.top() + metrics.ascent()), text.font, text.text);
        painter.fillPath(outline.intersected(text.visiblePart), text.color);
    }
    painter.restore();
}

}  // namespace

QString ChartTitle(float pressureHpa)
{
    const QString pressurePa =
        QString::fromStdString(PlainNumberText(pressureHpa * 100.0f)).trimmed();
    return QStringLiteral("焓湿图 %1 Pa").arg(pressurePa);
}

ChartSheet CaptureChartSheet(const ChartWidgets& chart)
{
    const ChartSurface& picture = *chart.picture;
    const double tpp = TwipsPerPixel(&picture);

    // The sheet spans the picture and the ink of the visible scale labels beside it, in
    // whole pixels of the client area, so that the picture's pixels stay whole.
    std::vector<const QLabel*> beside;
    for (const QLabel* label : chart.besideLabels) {
        if (!ShownPart(*label).isEmpty()) {
            beside.push_back(label);
        }
    }
    QRectF extent(picture.geometry());
    for (const QLabel* label : beside) {
        const QRect shown = ShownPart(*label).boundingRect().translated(label->pos());
        extent |= InkRect(*label) & QRectF(shown);
    }
    const QRect bounds =
        extent.toAlignedRect().adjusted(-kMarginPx, -kMarginPx, kMarginPx, kMarginPx);
    const QPoint origin = bounds.topLeft();
    const QPoint pictureOffset = picture.pos() - origin;

    ChartSheet sheet;
    sheet.title = ChartTitle(TheAppState().AtmosphericPressure);
    sheet.width = bounds.width() * tpp;
    sheet.height = bounds.height() * tpp;
    sheet.pixelTwips = tpp;
    sheet.picture = ToTwips(QRectF(picture.geometry().translated(-origin)), tpp);
    sheet.segments =
        VisibleSegments(picture.DrawnSegments(), picture.WidthTwips(), picture.HeightTwips());
    sheet.marks = picture.Marks();
    sheet.underlay = picture.Underlay();
    sheet.retained = picture.RetainedImage();
    sheet.layer = picture.Layer();
    for (const QLabel* label : beside) {
        AddLabelTexts(sheet.besideTexts, *label, label->geometry().translated(-origin), tpp);
    }
    for (const QLabel* label : chart.onLabels) {
        AddLabelTexts(sheet.onTexts, *label, label->geometry().translated(pictureOffset), tpp);
    }
    sheet.onTexts.push_back(PressureCaption(*chart.pressureFrame, pictureOffset, tpp));
    return sheet;
}

QTransform SheetToOutput(const SheetPlacement& placement)
{
    return QTransform(placement.scale, 0, 0, placement.scale, placement.left, placement.top);
}

QImage PictureImage(const ChartSheet& sheet, double scale)
{
    if (scale == sheet.retained.devicePixelRatio()) {
        return sheet.retained;
    }
    const QSizeF pixels = sheet.picture.size() / sheet.pixelTwips * scale;
    QImage image(pixels.toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    DrawChartLines(image, sheet.segments, sheet.pixelTwips);
    for (const ChartMark& mark : sheet.marks) {
        DrawChartMark(image, mark, sheet.pixelTwips);
    }
    return image;
}

void PaintChartSheet(QPainter& painter, const ChartSheet& sheet, const SheetPlacement& placement,
                     const QImage* picture)
{
    painter.save();
    painter.setTransform(SheetToOutput(placement), true);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const SheetText& text : sheet.besideTexts) {
        DrawText(painter, text);
    }
    if (picture != nullptr) {
        painter.drawImage(sheet.picture, *picture);
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
        // The screen traces a line at x into the pixel column [floor(x), floor(x) + 1), so a
        // line on the picture's right or bottom edge falls outside it: those parts stay off
        // here too (also where the output keeps no clipping, as SVG).
        const auto inside = static_cast<float>(kInsideEdge * sheet.pixelTwips);
        const auto width = static_cast<float>(sheet.picture.width()) - inside;
        const auto height = static_cast<float>(sheet.picture.height()) - inside;
        std::vector<QLineF> run;
        for (std::size_t i = 0; i < sheet.segments.size(); ++i) {
            const ChartSegment& s = sheet.segments[i];
            if (const auto shown = ClipSegment(s, width, height)) {
                run.emplace_back(shown->x1, shown->y1, shown->x2, shown->y2);
            }
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
    if (!sheet.layer.IsEmpty()) {
        painter.save();
        painter.setClipRect(sheet.picture, Qt::IntersectClip);
        painter.translate(sheet.picture.topLeft());
        PaintLayer(painter, sheet.layer);
        painter.restore();
    }
    for (const SheetText& text : sheet.onTexts) {
        DrawText(painter, text);
    }
    painter.restore();
}

}  // namespace hygrova
