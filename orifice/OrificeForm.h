// "Moduł doboru kryz osiowosymetrycznych": sizing of an orifice plate or a
// single-blade damper for one branch of a duct.
#pragma once

#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WidgetsFwd.h"
#include "orifice/OrificeSizing.h"

namespace vimtal {

class AmbientAir;
struct FieldRowWidgets;

class TForm1 : public Form {
    Q_OBJECT
public:
    // `air`: the density is taken as the settings window shows it.
    explicit TForm1(const AmbientAir& air);

    void Button1Click();
    void RadioButton1Click();  // orifice
    void RadioButton2Click();  // damper
    void RadioButton4Click();  // round duct
    void RadioButton5Click();  // rectangular duct

    // The calculation sheet of the window as it is: "Drukuj..." and "Zapisz
    // raport PDF..." of its context menu (Ctrl+P).
    Report BuildReport() const;

private:
    // The two flow rows, the duct's section with its size rows and the
    // element, each row bound as it is laid out.
    void BuildInputs(QGridLayout* grid);
    void BuildResults(QGridLayout* grid);
    void Connect();
    // Keeps and names the caption and unit of a row laid out.
    static void NameRow(const FieldRowWidgets& row, QLabel*& caption, const char* captionName, QLabel*& unit,
                        const char* unitName);
    void ClearResults();
    void ShowSecondResultLine(bool visible);
    // The size rows of a round duct (its diameter) or a rectangular one
    // (sides A and B), and the result lines cleared for them.
    void ShowDuctSize(bool rectangular);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    QLabel *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    QLabel *Label13 = nullptr, *Label14 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    QRadioButton *RadioButton4 = nullptr, *RadioButton5 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

    const AmbientAir& air_;
    // The typed texts the sizing reads.
    FieldBindings<orifice::SizingInput> fields_;
};

}  // namespace vimtal
