#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;

namespace hygrova {

// The top-left corner of a window's outer frame of `outerSize` pixels that puts the frame in
// the middle of the primary screen's available area; a frame larger than the area keeps its
// top-left corner, and with it the title bar, on the screen.
QPoint CentredFrameCorner(const QSize& outerSize);

// Puts a fixed-size top-level window's outer frame, title bar included, in the middle of the
// primary screen: at once, for the frame the window manager says it will draw, and once
// more as soon as the window manager has drawn another one (KWin tells its frame only then),
// before the user can have moved the window. Made a child of the window, which must have its
// final size.
class FrameCentring : public QObject {
    Q_OBJECT

public:
    explicit FrameCentring(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();

    QWidget& m_window;
    // The frame the window was centred for.
    QMargins m_frame;
    bool m_awaitingFrame = true;
};

}  // namespace hygrova
