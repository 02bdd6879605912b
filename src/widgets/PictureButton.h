#pragma once

#include <QPushButton>

/**
 * A command button that shows its picture above its caption and wraps the
 * caption over as many lines as it needs, as the design's graphical buttons do.
 */
class PictureButton : public QPushButton {
    Q_OBJECT

public:
    PictureButton(const QString& caption, const QIcon& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
