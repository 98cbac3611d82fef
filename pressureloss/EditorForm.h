// The fitting editor: the sizes, flow, wall material and additional
// resistance of one fitting, with the velocities shown while the user types.
// "Dodaj kształtkę" validates, computes the losses and stores the fitting in
// the circuit (appended, or over the edited one), then refreshes the circuit
// window and its total.
#pragma once

#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"
#include "pressureloss/FittingCalculator.h"
#include "pressureloss/FittingInputs.h"
#include "pressureloss/Session.h"

#include <array>
#include <vector>

namespace vimtal {

class AmbientAir;
class TForm15;

class TForm17 : public Form {
    Q_OBJECT
public:
    // `air`: taken as the settings window shows it at every activation;
    // `session`: the circuit and the calculation the editor computes with
    // and stores into; `circuitWindow`: refilled with the new total after a
    // confirmation.
    TForm17(AmbientAir& air, pressureloss::Session& session, TForm15& circuitWindow);

    // The catalogue's preparation, in its order.
    // Hides every kind-specific input, length "0", additional loss typed as
    // a pressure, both additional values "0".
    void Reset();
    // Shows the inputs of a kind (KindInput bits) with their labels.
    void ShowInputs(unsigned inputs);
    // Writes the starting sizes of a kind (and its length where it has one).
    void WriteStartingTexts(pressureloss::FittingKind kind);
    // Caption, name (with its hint) and type code of the kind.
    void SetIdentity(const QString& name, const QString& typeCode);
    // Loads the picture; raises an error naming the file when it is missing
    // or unreadable.
    void LoadPicture(const QString& path);
    // w1 (and w2) from the texts now in the inputs, without the additional
    // loss pair.
    void PreviewVelocities();
    // Copies the edited fitting's stored texts into the controls.
    void FillFromRecord();

    // While set, the change handlers of the inputs do nothing: the
    // preparation writes its texts into half-prepared inputs.
    void SetPreparing(bool preparing) { preparing_ = preparing; }

    // The texts of the inputs for the calculation.
    pressureloss::FittingInputs Inputs() const;

    // Handlers.
    void VelocityChange();   // Edit2, Edit9, ComboBox2, ComboBox4, ComboBox5, ComboBox8
    void ComboBox1Change();
    void ComboBox9Change();
    void ComboBox7Change();
    void ComboBox3Change();
    void TeeListChange();    // ComboBox12, ComboBox13
    void RadioButtonClick(); // RadioButton1, RadioButton2
    void Edit7Change();
    void Edit10Change();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    using Bindings = FieldBindings<pressureloss::FittingInputs>;

    // The window's parts, in the order they are made: the name, type code,
    // picture and buttons; the inputs' controls (in the Tab key's order);
    // the inputs laid out with their captions; the handlers.
    QVBoxLayout* BuildIdentity(QWidget* client);
    void BuildControls(QWidget* client);
    QGridLayout* LayInputs(QWidget* client);
    // The caption of an input row at `line`; returns its widgets.
    std::vector<QWidget*> LayCaption(QGridLayout* inputs, int line, const Bindings::Row& field);
    void Connect();

    TForm15& CircuitWindow() const { return circuitWindow_; }
    // The box of an editor text.
    QLineEdit* EditOf(std::string pressureloss::FittingInputs::*text) const;
    void ShowVelocities(const pressureloss::VelocityDisplay& shown);
    // The velocity step while typing; false when it did not run.
    bool LiveVelocities();
    void ChooseRadius();
    // One field of the additional-loss pair changed: the other follows.
    using PairConversion = std::optional<std::string> (pressureloss::FittingCalculator::*)(const std::string&) const;
    void FollowPair(QLineEdit* changed, QLineEdit* other, PairConversion convert);

    // Every kind-specific control with its labels, hidden by the reset.
    struct Input {
        unsigned bit;
        std::vector<QWidget*> widgets;
    };
    std::vector<Input> inputs_;
    std::array<QLabel*, 4> teeSketches_{};
    // Each box and the editor text it holds.
    Bindings bindings_;

    QLineEdit* Edit4 = nullptr;    // "NAZWA"
    QLineEdit* Edit5 = nullptr;    // "TYP"
    QLabel* Image1 = nullptr;      // the fitting's picture
    QLineEdit* Edit1 = nullptr;    // L
    QComboBox* ComboBox1 = nullptr;   // diameter 1
    QComboBox* ComboBox2 = nullptr;   // diameter 2
    QComboBox* ComboBox8 = nullptr;   // A
    QComboBox* ComboBox9 = nullptr;   // B
    QComboBox* ComboBox4 = nullptr;   // C
    QComboBox* ComboBox5 = nullptr;   // D
    QComboBox* ComboBox6 = nullptr;   // angle
    QComboBox* ComboBox7 = nullptr;   // radius
    QLineEdit* Edit15 = nullptr;      // e
    QComboBox* ComboBox10 = nullptr;  // round elbow construction
    QComboBox* ComboBox11 = nullptr;  // rectangular elbow construction
    QComboBox* ComboBox12 = nullptr;  // tee path
    QComboBox* ComboBox13 = nullptr;  // tee flow pattern
    QLineEdit* Edit2 = nullptr;       // V
    QLineEdit* Edit9 = nullptr;       // Vo
    QLineEdit* Edit3 = nullptr;       // w1
    QLineEdit* Edit8 = nullptr;       // w2
    QRadioButton* RadioButton1 = nullptr;  // additional loss typed as a pressure
    QLineEdit* Edit7 = nullptr;
    QRadioButton* RadioButton2 = nullptr;  // ... or as a coefficient
    QLineEdit* Edit10 = nullptr;
    QComboBox* ComboBox3 = nullptr;   // material
    QLineEdit* Edit6 = nullptr;       // roughness
    QPushButton* BitBtn1 = nullptr;   // "Dodaj kształtkę"
    QPushButton* BitBtn2 = nullptr;   // "Anuluj"

    bool preparing_ = false;
    int pairDepth_ = 0;

    AmbientAir& air_;
    pressureloss::Session& session_;
    TForm15& circuitWindow_;
};

}  // namespace vimtal
