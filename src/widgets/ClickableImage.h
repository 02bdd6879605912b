#pragma once

#include <QPixmap>
#include <QWidget>

/** A picture that acts as a link: it shows its image, a tool tip and a hand pointer, and reports clicks. */
class ClickableImage : public QWidget {
    Q_OBJECT

public:
    ClickableImage(const QPixmap& picture, const QString& toolTip, QWidget* parent);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};
