// The read-only information windows the modules open: the air calculator's
// help, the two texts of modelling assumptions, and the two pictures of the
// calculation schemes. None of them computes anything.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class PictureBox;
enum class BitBtnKind;

// A fixed text in a read-only memo and one button under it, centred, that
// closes the window.
class MemoWindow : public Form {
    Q_OBJECT
public:
    MemoWindow(const QString& className, const QString& caption, const QString& textResource, BitBtnKind button,
               const QString& buttonCaption = {});

protected:
    QPlainTextEdit* Memo1 = nullptr;

private:
    QPushButton* BitBtn1 = nullptr;
};

// "Pomoc kalkulatora powietrza"
class TForm4 : public MemoWindow {
    Q_OBJECT
public:
    TForm4();
};

// "Założenia " of the DHW tank simulation (the one resizable window).
class TForm8 : public MemoWindow {
    Q_OBJECT
public:
    TForm8();
};

// "Założenia" of the duct cooling simulation.
class TForm11 : public MemoWindow {
    Q_OBJECT
public:
    TForm11();
};

// A calculation-scheme picture with a close button over its lower right.
class PictureWindow : public Form {
    Q_OBJECT
public:
    PictureWindow(const QString& className, const QString& caption, const QString& picture, QSize client,
                  QSize pictureArea);

protected:
    PictureBox* Image1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// "Schemat obliczeniowy" of the duct cooling.
class TForm12 : public PictureWindow {
    Q_OBJECT
public:
    TForm12();
};

// "Schemat obliczeniowy CWU" of the DHW tank.
class TForm14 : public PictureWindow {
    Q_OBJECT
public:
    TForm14();
};

}  // namespace vimtal
