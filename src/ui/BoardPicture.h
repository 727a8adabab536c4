#pragma once

#include "platform/QImageCanvas.h"

#include <QImage>
#include <QWidget>

// The board picture: keeps everything drawn on it in an image and reports clicks at their own
// position on the picture.
class BoardPicture : public QWidget {
    Q_OBJECT

public:
    explicit BoardPicture(QWidget *parent = nullptr);

    Canvas &canvas() { return canvas_; }
    const QImage &image() const { return image_; }

signals:
    void clicked(QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void MatchImageToWidget();

    QImage image_;
    QImageCanvas canvas_;
    bool pressed_ = false;
};
