#include "Widgets.h"

#include "Form.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

namespace vimtal {

QLineEdit* NewEdit(QWidget* parent, const QString& name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QGridLayout* NewGrid(QWidget* parent, const QMargins& margins, int columnSpacing, int rowSpacing) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(margins);
    if (columnSpacing >= 0) grid->setHorizontalSpacing(columnSpacing);
    if (rowSpacing >= 0) grid->setVerticalSpacing(rowSpacing);
    return grid;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPushButton* NewBitBtn(Form* form, QWidget* parent, const QString& name, BitBtnKind kind, const QString& caption) {
    QString text = caption;
    QStyle::StandardPixmap icon = QStyle::SP_DialogOkButton;
    switch (kind) {
    case BitBtnKind::Ok:
        if (text.isEmpty()) text = QStringLiteral("OK");
        break;
    case BitBtnKind::Cancel:
        if (text.isEmpty()) text = QStringLiteral("Anuluj");
        icon = QStyle::SP_DialogCancelButton;
        break;
    case BitBtnKind::Close:
        if (text.isEmpty()) text = QStringLiteral("Zamknij");
        icon = QStyle::SP_DialogCloseButton;
        break;
    }
    QPushButton* button = NewButton(parent, name, text);
    button->setIcon(QApplication::style()->standardIcon(icon));
    QObject::connect(button, &QPushButton::clicked, form, [form, kind] {
        switch (kind) {
        case BitBtnKind::Ok: form->SetModalResult(Form::mrOk); break;
        case BitBtnKind::Cancel: form->SetModalResult(Form::mrCancel); break;
        case BitBtnKind::Close: form->close(); break;
        }
    });
    if (kind == BitBtnKind::Cancel) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), form);
        QObject::connect(escape, &QShortcut::activated, button, &QPushButton::click);
    }
    return button;
}

QAction* NewAction(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut,
                   const QIcon& icon) {
    auto* action = new QAction(icon, caption, menu);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Disabled, QPalette::Text, color);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color);
    widget->setPalette(palette);
}

void SetBaseColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Disabled, QPalette::Base, color);
    widget->setPalette(palette);
}

void SetFont(QWidget* widget, double points, bool bold) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    widget->setFont(font);
}

}  // namespace vimtal
