#include "Widgets.h"

#include "Form.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

namespace vimtal {

namespace {

// A text the program writes (setText leaves the box unmodified) into a box
// the user is not in is shown from its start, as a number is read: a long
// result ("79,4856661089299") in a narrow box would otherwise show only its
// last digits, which read as another number. The box the user enters other
// than by a click or Tab (the window's first box, a box focused by the
// program) gets its cursor at the end of the text, ready to go on typing.
class ShowTextFromStart final : public QObject {
public:
    explicit ShowTextFromStart(QLineEdit* edit) : QObject(edit), edit_(edit) {
        // setText puts the cursor at the end of the text, even when the text
        // stays the same (and no textChanged comes). A selection the program
        // made (a name offered for replacing) stays.
        connect(edit, &QLineEdit::cursorPositionChanged, this, [this] {
            if (!edit_->isModified() && !edit_->hasFocus() && !edit_->hasSelectedText())
                edit_->setCursorPosition(0);
        });
        edit->setCursorPosition(0);
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool placedByUser = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                                      reason == Qt::BacktabFocusReason;
            if (!placedByUser && !edit_->isModified() && !edit_->hasSelectedText())
                edit_->setCursorPosition(edit_->text().size());
        }
        return false;
    }

private:
    QLineEdit* edit_;
};

}  // namespace

QLineEdit* NewEdit(QWidget* parent, const QString& name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    new ShowTextFromStart(edit);
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
