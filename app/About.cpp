#include "About.h"

#include "Links.h"
#include "core/ui/Guard.h"
#include "core/ui/PictureBox.h"
#include "core/ui/Platform.h"
#include "core/ui/Widgets.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vimtal {

TForm3::TForm3() : Form(QStringLiteral("TForm3"), QStringLiteral("O programie")) {
    SetClientSize(309, 332);
    auto* column = new QVBoxLayout(Client());
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(4);

    Image1 = new PictureBox(Client(), QStringLiteral("Image1"));
    Image1->SetSvg(QStringLiteral(":/images/logo_wide.svg"));
    Image1->setFixedHeight(90);
    Image1->setCursor(Qt::CrossCursor);
    Image1->setToolTip(kWebPage);
    column->addWidget(Image1);
    column->addSpacing(8);

    Label2 = NewLabel(Client(), QStringLiteral("Label2"), QStringLiteral("Kontakt z autorem: ") + kContactMail);
    Label2->setCursor(Qt::CrossCursor);
    Label2->setMouseTracking(true);
    Label2->setFixedHeight(20);
    column->addWidget(Label2);
    column->addSpacing(8);

    QList<QLabel*> labels{Label2};
    labels << NewLabel(Client(), QStringLiteral("Label5"), QStringLiteral("Moduły programu:"));
    column->addWidget(labels.back());
    const char* modules[] = {
        "1) Moduł doboru kryz osiowosymetrycznych",  "2) Moduł obliczeń parametrów powietrza",
        "3) Moduł obliczeń zasobników C.W.U",        "4) Moduł obliczeń szybkości wychładzania",
        "5) Moduł obliczeń strat ciśnienia powietrza",
    };
    int number = 6;
    for (const char* text : modules) {
        labels << NewLabel(Client(), QStringLiteral("Label%1").arg(number++), QString::fromUtf8(text));
        column->addWidget(labels.back());
    }
    for (QLabel* label : labels) {
        SetTextColor(label, colors::Blue);
        SetFont(label, 8, true);
    }
    column->addStretch(1);
    BitBtn1 = NewBitBtn(this, Client(), QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    column->addWidget(BitBtn1, 0, Qt::AlignHCenter);

    // The contact line grows under the mouse and shrinks back when the mouse
    // moves over the window's own background.
    Client()->setMouseTracking(true);
    setMouseTracking(true);
    Label2->installEventFilter(this);
    Client()->installEventFilter(this);
    On(Image1, &PictureBox::clicked, [this] { Image1Click(); });
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == Label2) {
            Guarded([this] { Label2MouseMove(); });
            return true;  // the move is the label's own, not the window's
        }
        if (watched == Client()) Guarded([this] { FormMouseMove(); });
    } else if (event->type() == QEvent::MouseButtonRelease && watched == Label2) {
        Guarded([this] { Label2Click(); });
    }
    return Form::eventFilter(watched, event);
}

void TForm3::Image1Click() { platform().ShellOpen(kWebPage); }
void TForm3::Label2Click() { platform().ShellOpen(QStringLiteral("mailto:") + kContactMail); }
void TForm3::Label2MouseMove() { SetFont(Label2, 10, true); }
void TForm3::FormMouseMove() { SetFont(Label2, 8, true); }

}  // namespace vimtal
