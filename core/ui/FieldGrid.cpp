#include "core/ui/FieldGrid.h"

#include "core/ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace vimtal {

namespace {

QString Utf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// The caption's text, then a Greek symbol in bold and a small subscript, as
// the designers' symbol font showed them.
QWidget* CaptionWithSymbol(QWidget* parent, const QString& text, const QString& symbol, const QString& subscript) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(NewLabel(box, {}, text));
    if (!symbol.isEmpty()) {
        QLabel* greek = NewLabel(box, {}, symbol);
        SetFont(greek, 10, true);
        row->addWidget(greek);
    }
    if (!subscript.isEmpty()) {
        QLabel* small = NewLabel(box, {}, subscript);
        SetFont(small, 7);
        small->setAlignment(Qt::AlignBottom);
        row->addWidget(small, 0, Qt::AlignBottom);
    }
    row->addStretch(1);
    return box;
}

}  // namespace

QLabel* NewSymbolLabel(QWidget* parent, FieldLook::Symbol style, const QString& symbol, const QString& subscript) {
    if (style == FieldLook::Symbol::Subscripted) {
        QString html = QStringLiteral("<b>%1</b>").arg(symbol);
        if (!subscript.isEmpty()) html += QStringLiteral("<sub>%1</sub>").arg(subscript);
        QLabel* label = NewLabel(parent, {}, html);
        label->setTextFormat(Qt::RichText);
        SetFont(label, 10, true);
        label->setMinimumWidth(22);
        return label;
    }
    QLabel* label = NewLabel(parent, {}, symbol + subscript);
    const bool greek = !symbol.isEmpty() && symbol.front().unicode() > 0x7F;
    if (style == FieldLook::Symbol::Bold || greek) SetFont(label, 10, true);
    return label;
}

QGridLayout* FieldGrid(QWidget* parent, const QMargins& margins, int horizontal, int vertical) {
    QGridLayout* grid = NewGrid(parent, margins, horizontal, vertical);
    grid->setColumnStretch(0, 1);
    return grid;
}

QGroupBox* NewGroupBox(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

QLabel* DegreesLabel(QWidget* parent) { return NewLabel(parent, {}, QStringLiteral("<sup>o</sup>C")); }

FieldRowWidgets LayFieldRow(QGridLayout* grid, int line, const FieldLook& look, const EditCaption& caption,
                            const char* name, const std::string& text, QWidget* chooser) {
    QWidget* parent = grid->parentWidget();
    FieldRowWidgets row;
    int column = 0;
    if (look.caption != FieldLook::Caption::None) {
        if (chooser) {
            row.caption = chooser;
        } else if (look.caption == FieldLook::Caption::Label) {
            row.caption = NewLabel(parent, {}, Utf8(caption.label));
        } else {
            row.caption = CaptionWithSymbol(parent, Utf8(caption.label), Utf8(caption.symbol), Utf8(caption.subscript));
        }
        grid->addWidget(row.caption, line, column++);
    }
    if (look.symbol != FieldLook::Symbol::None) {
        row.symbol = NewSymbolLabel(parent, look.symbol, Utf8(caption.symbol), Utf8(caption.subscript));
        grid->addWidget(row.symbol, line, column++);
    }
    row.box = NewEdit(parent, Utf8(name), QString::fromStdString(text));
    row.box->setFixedWidth(look.boxWidth);
    if (look.rightAligned) row.box->setAlignment(Qt::AlignRight);
    if (look.boxText.isValid()) SetTextColor(row.box, look.boxText);
    grid->addWidget(row.box, line, column++);
    if (caption.unit) {
        const QString unit = Utf8(caption.unit);
        row.unit = look.raisedDegrees && unit == QStringLiteral("°C") ? DegreesLabel(parent) : NewLabel(parent, {}, unit);
        if (look.unitMinimumWidth > 0) row.unit->setMinimumWidth(look.unitMinimumWidth);
        grid->addWidget(row.unit, line, column);
    }
    return row;
}

}  // namespace vimtal
