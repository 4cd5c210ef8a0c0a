// The main window as the user reads it: every label and box shows its text whole at every
// window size, one font per family of labels; labels keep their colors while a dialog has
// the window disabled; the frames show their own colors.

#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "tests/support/window_actions.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_expectations.h"

#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

class Form1LookTest : public test::MainWindowFixture {
protected:
    // Gives the window the outer width, or maximizes it for 0, and lets it settle.
    void ShapeWindow(int outerWidth)
    {
        if (outerWidth == 0) {
            form1.showMaximized();
        } else {
            form1.showNormal();
            const QSize frame = form1.frameGeometry().size() - form1.size();
            form1.resize(outerWidth - frame.width(), outerWidth * 3 / 4 - frame.height());
        }
        QCoreApplication::processEvents();
    }

    // Whether the label's text, laid out from its top-left, has all its ink inside the
    // room: the label's own size, or less where something covers it.
    static void ExpectWhole(const QLabel* label, QSizeF room)
    {
        const QFontMetricsF metrics(label->font());
        const QRectF ink = metrics.tightBoundingRect(label->text());
        EXPECT_LE(std::max(metrics.horizontalAdvance(label->text()), ink.right()), room.width())
            << label->text().toStdString() << " at " << label->font().pointSizeF() << " pt";
        EXPECT_LE(metrics.ascent() + ink.bottom(), room.height()) << label->text().toStdString();
    }

    static void ExpectOneSize(const std::vector<const QWidget*>& family)
    {
        for (const QWidget* control : family) {
            EXPECT_EQ(control->font().pointSizeF(), family.front()->font().pointSizeF())
                << control->objectName().toStdString();
        }
    }

    // Whether the box shows `text` whole.
    static void ExpectWholeText(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        EXPECT_TRUE(test::ShowsWhole(box));
        box->clear();
    }
};

TEST_F(Form1LookTest, EveryLabelAndBoxShowsItsTextWholeAtEveryWindowSize)
{
    const int screen = QGuiApplication::primaryScreen()->geometry().width();
    const int narrowest = static_cast<int>(std::lround(0.65 * screen));
    for (const int width : {narrowest, (narrowest + screen) / 2, 0}) {
        SCOPED_TRACE(width == 0 ? std::string("maximized") : std::to_string(width));
        ShapeWindow(width);
        const QRect chart = form1.Picture1->geometry();
        std::vector<const QWidget*> numbers;
        for (int i = 0; i < 9; ++i) {
            // Left of the chart and above it, the chart covers the rest of the label.
            const QLabel* left = form1.Label9[i];
            ExpectWhole(left,
                        QSizeF(std::min(left->width(), chart.left() - left->x()), left->height()));
            const QLabel* top = form1.Label10[i];
            ExpectWhole(top, QSizeF(top->width(), std::min(top->height(), chart.top() - top->y())));
            numbers.insert(numbers.end(), {left, top});
        }
        for (int i = 0; i < 16; ++i) {
            ExpectWhole(form1.Label11[i], form1.Label11[i]->size());
            numbers.push_back(form1.Label11[i]);
        }
        ExpectOneSize(numbers);

        std::vector<const QWidget*> humidity;
        for (const QLabel* label : form1.Label12) {
            ExpectWhole(label, label->size());
            humidity.push_back(label);
        }
        ExpectOneSize(humidity);

        // The temperature title, one character under the other, keeps clear of the numbers.
        const QLabel* title = form1.Label9[9];
        const QFontMetricsF titleMetrics(title->font());
        EXPECT_LT(title->x() + titleMetrics.horizontalAdvance(QStringLiteral("温")),
                  form1.Label9[4]->x());
        EXPECT_LE(static_cast<qreal>(title->text().size()) * titleMetrics.height(),
                  title->height());
        ExpectWhole(form1.Label10[9], QSizeF(form1.Label10[9]->width(),
                                             std::min(form1.Label10[9]->height(),
                                                      chart.top() - form1.Label10[9]->y())));
        ExpectWhole(form1.Label11[16], form1.Label11[16]->size());
        ExpectOneSize({form1.Label10[9], form1.Label11[16]});

        const std::vector<const QWidget*> captions = {form1.Label1, form1.Label2, form1.Label3,
                                                      form1.Label4, form1.Label5, form1.Label6,
                                                      form1.Label7, form1.Label8};
        for (const QWidget* caption : captions) {
            ExpectWhole(static_cast<const QLabel*>(caption), caption->size());
        }
        ExpectOneSize(captions);
        // A vapour pressure of five figures, a moisture content just right of the chart's
        // left edge, a temperature below zero; a temperature a hair above 0 and a value in
        // exponent form, which show smaller.
        for (const char* text :
             {" 11110.27", " 0.06756757", "-19.99987", " 0.0009919159", "-1.234567E-05"}) {
            for (QLineEdit* box : form1.ReadoutBoxes()) {
                ExpectWholeText(box, QString::fromLatin1(text));
            }
        }
    }
    form1.showNormal();
}

TEST_F(Form1LookTest, LabelsKeepTheirColorsWhileADialogDisablesTheWindow)
{
    test::Click(form1.Command3);  // About disables the main window
    ASSERT_FALSE(form1.isEnabled());
    for (QLabel* label :
         {form1.Label9[0], form1.Label9[9], form1.Label10[5], form1.Label11[3], form1.Label12[9]}) {
        const QImage image = label->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
            }
        }
        EXPECT_LT(darkest, 64) << label->text().toStdString() << " is greyed";
    }
}

TEST_F(Form1LookTest, CaptionsDrawTheDegreeSign)
{
    // A face may list a character and draw it blank; the readout's "(℃)" must show.
    for (const QLabel* label : {form1.Label1, form1.Label9[9]}) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(label->font());
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("℃"));
        painter.end();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 5) << label->font().toString().toStdString();
    }
}

TEST_F(Form1LookTest, FramesShowTheirOwnColors)
{
    // Empty places inside the frames: below the readout's middle, between two buttons.
    const QImage readout = form1.Frame1->grab().toImage();
    EXPECT_EQ(readout.pixelColor(readout.width() * 49 / 100, readout.height() * 94 / 100),
              QColor(255, 255, 255));
    const QImage buttons = form1.Frame2->grab().toImage();
    const int between = (form1.Command1->geometry().bottom() + form1.Command2->y()) / 2;
    EXPECT_EQ(buttons.pixelColor(buttons.width() / 2, between), QColor(192, 192, 255));
}

}  // namespace
}  // namespace hygrova
