// A picture on a window: an SVG resource or a bitmap, drawn scaled
// proportionally and centred in the control (or stretched to fill it). A
// click emits clicked(), for pictures that open something.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace vimtal {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& name);

    // An SVG file or resource (":/images/logo.svg").
    void SetSvg(const QString& path);
    // A bitmap (the fitting pictures are files beside the program).
    void SetPixmap(const QPixmap& pixmap);
    void SetStretch(bool stretch) { stretch_ = stretch; update(); }
    bool HasPicture() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRectF Target(const QSizeF& natural) const;

    QSvgRenderer* svg_ = nullptr;
    QPixmap pixmap_;
    bool stretch_ = false;
};

}  // namespace vimtal
