#include "Form.h"

#include "Guard.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace vimtal {

Form::Form(const QString& className, const QString& caption) {
    setObjectName(className);
    setWindowTitle(caption);
    // A fixed dialog-like window: title, system menu and close box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    outer_ = new QVBoxLayout(this);
    outer_->setContentsMargins(0, 0, 0, 0);
    outer_->setSpacing(0);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    outer_->addWidget(client_);
    outer_->setSizeConstraint(QLayout::SetFixedSize);
}

QMenuBar* Form::MenuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        outer_->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void Form::SetClientSize(int w, int h) { client_->setFixedSize(w, h); }

void Form::SetResizable(int outerWidth, int outerHeight) {
    outer_->setSizeConstraint(QLayout::SetDefaultConstraint);
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(outerWidth, outerHeight);
}

void Form::Activate() {
    Guarded([this] { FormActivate(); });
}

void Form::SetModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone) close();
}

void Form::closeEvent(QCloseEvent* event) {
    Guarded([this] { FormClose(); });
    event->accept();
    QWidget::closeEvent(event);
    emit Closed();
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        // Every window opens centred on the screen.
        centred_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = frameGeometry().size();
            move(area.center() - QPoint(size.width() / 2, size.height() / 2));
        }
    }
    Guarded([this] { FormShow(); });
}

}  // namespace vimtal
