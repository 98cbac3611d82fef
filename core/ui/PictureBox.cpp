#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace vimtal {

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) { setObjectName(name); }

void PictureBox::SetSvg(const QString& path) {
    if (!svg_) svg_ = new QSvgRenderer(this);
    svg_->load(path);
    pixmap_ = QPixmap();
    update();
}

void PictureBox::SetPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    if (svg_) {
        delete svg_;
        svg_ = nullptr;
    }
    update();
}

bool PictureBox::HasPicture() const { return (svg_ && svg_->isValid()) || !pixmap_.isNull(); }

QRectF PictureBox::Target(const QSizeF& natural) const {
    const QRectF area(rect());
    if (stretch_ || natural.isEmpty()) return area;
    const QSizeF scaled = natural.scaled(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (svg_ && svg_->isValid()) {
        svg_->render(&painter, Target(svg_->viewBoxF().size()));
    } else if (!pixmap_.isNull()) {
        painter.drawPixmap(Target(pixmap_.size()), pixmap_, QRectF(pixmap_.rect()));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace vimtal
