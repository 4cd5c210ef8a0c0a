#pragma once

#include <QLabel>

namespace hygrova {

// A label one character wide whose caption reads from top to bottom, one character under
// the other, each at the label's left edge; text() keeps the caption as it is.
class VerticalLabel : public QLabel {
    Q_OBJECT

public:
    explicit VerticalLabel(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hygrova
