// Base of every window of the suite (TForm1 ... TForm19).
//
// Every window is created once at start-up and lives until the program ends;
// modules show the pre-created windows modally through the platform layer
// (platform().ShowModal), so a window keeps what the user typed between
// openings. A form has an optional menu bar above its client area; the client
// area has the fixed size the window was designed for.
//
// Activation is explicit: the platform layer runs Activate() when a window is
// shown modally and again on the window below when a modal window closes, and
// start-up runs it on the launcher. Subclasses put their activation work in
// FormActivate(), and closing work in FormClose(); both run under the guard.
#pragma once

#include <QWidget>

class QMenuBar;
class QVBoxLayout;

namespace vimtal {

class Form : public QWidget {
    Q_OBJECT
public:
    // Modal results of the buttons that close a window.
    enum ModalResultValue { mrNone = 0, mrOk = 1, mrCancel = 2, mrClose = 8 };

    // `className` becomes the objectName ("TForm5"); `caption` the title.
    Form(const QString& className, const QString& caption);

    // The area below the menu bar; put the window's controls and layout here.
    QWidget* Client() const { return client_; }
    // The menu bar, created on first use.
    QMenuBar* MenuBar();
    // Fixes the client area (below the menu bar) at w x h pixels.
    void SetClientSize(int w, int h);
    // Lets the user resize the window (the one resizable window of the suite).
    void SetResizable(int outerWidth, int outerHeight);

    // Runs FormActivate under the guard.
    void Activate();

    int ModalResult() const { return modalResult_; }
    // Setting a result other than mrNone closes the window, as a modal
    // dialog's OK or Cancel button does.
    void SetModalResult(int result);
    // Cleared when the window is shown modally.
    void ClearModalResult() { modalResult_ = mrNone; }

signals:
    void Closed();

protected:
    virtual void FormActivate() {}
    virtual void FormClose() {}
    virtual void FormShow() {}

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* outer_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    int modalResult_ = mrNone;
    bool centred_ = false;
};

}  // namespace vimtal
