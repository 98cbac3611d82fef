#include "InfoWindows.h"

#include "core/ui/PictureBox.h"
#include "core/ui/Widgets.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vimtal {

namespace {
QString ResourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);  // the last line ends the file
    return text;
}
}  // namespace

MemoWindow::MemoWindow(const QString& className, const QString& caption, const QString& textResource,
                       BitBtnKind button, const QString& buttonCaption)
    : Form(className, caption) {
    auto* column = new QVBoxLayout(Client());
    column->setContentsMargins(2, 2, 2, 4);
    Memo1 = new QPlainTextEdit(Client());
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(ResourceText(textResource));
    Memo1->document()->setDocumentMargin(1);
    // Shown on the face colour of buttons, as a note rather than a field.
    SetBaseColor(Memo1, palette().color(QPalette::Button));
    column->addWidget(Memo1, 1);
    BitBtn1 = NewBitBtn(this, Client(), QStringLiteral("BitBtn1"), button, buttonCaption);
    column->addWidget(BitBtn1, 0, Qt::AlignHCenter);
}

TForm4::TForm4()
    : MemoWindow(QStringLiteral("TForm4"), QStringLiteral("Pomoc kalkulatora powietrza"),
                 QStringLiteral(":/texts/air_calculator_help.txt"), BitBtnKind::Close, QStringLiteral("Zamknij")) {
    SetClientSize(374, 312);
    // The help's lines are broken by hand to the window's width.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TForm8::TForm8()
    : MemoWindow(QStringLiteral("TForm8"), QStringLiteral("Założenia "), QStringLiteral(":/texts/dhw_assumptions.txt"),
                 BitBtnKind::Ok) {
    SetTextColor(Memo1, colors::Green);
    SetResizable(391, 301);
}

TForm11::TForm11()
    : MemoWindow(QStringLiteral("TForm11"), QStringLiteral("Założenia"), QStringLiteral(":/texts/duct_assumptions.txt"),
                 BitBtnKind::Ok) {
    SetTextColor(Memo1, colors::Green);
    SetClientSize(379, 304);
}

PictureWindow::PictureWindow(const QString& className, const QString& caption, const QString& picture, QSize client,
                             QSize pictureArea)
    : Form(className, caption) {
    SetClientSize(client.width(), client.height());
    Image1 = new PictureBox(Client(), QStringLiteral("Image1"));
    Image1->SetSvg(picture);
    // Scaled proportionally into the picture's area, clipped to the client.
    Image1->setGeometry(0, 0, std::min(pictureArea.width(), client.width()),
                        std::min(pictureArea.height(), client.height()));
    BitBtn1 = NewBitBtn(this, Client(), QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    BitBtn1->adjustSize();
    BitBtn1->move(client.width() - BitBtn1->width() - 12, client.height() - BitBtn1->height() - 12);
    BitBtn1->raise();
}

TForm12::TForm12()
    : PictureWindow(QStringLiteral("TForm12"), QStringLiteral("Schemat obliczeniowy"),
                    QStringLiteral(":/images/scheme_duct.svg"), QSize(731, 578), QSize(731, 585)) {}

TForm14::TForm14()
    : PictureWindow(QStringLiteral("TForm14"), QStringLiteral("Schemat obliczeniowy CWU"),
                    QStringLiteral(":/images/scheme_dhw.svg"), QSize(490, 581), QSize(489, 585)) {
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    // A white window under the picture.
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, colors::White);
    setPalette(white);
}

}  // namespace vimtal
