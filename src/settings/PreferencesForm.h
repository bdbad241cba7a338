#pragma once
// The preferences dialog: every user preference that is not a tool path.
#include "ui/Controls.h"
#include "ui/Form.h"
#include "widgets/ExplorerButton.h"

namespace korimba::settings {

class TForm7 : public ui::Form {
public:
    TForm7();

    ui::Image Image1{this, "Image1"};
    ui::Shape Shape1{this, "Shape1"};
    ui::Shape Shape2{this, "Shape2"};
    ui::Shape Shape3{this, "Shape3"};
    ui::Shape Shape4{this, "Shape4"};
    ui::Bevel Bevel1{this, "Bevel1"};
    ui::Bevel Bevel2{this, "Bevel2"};
    ui::Bevel Bevel3{this, "Bevel3"};
    ui::Bevel Bevel4{this, "Bevel4"};
    ui::Label Label1{this, "Label1"};
    ui::Label Label2{this, "Label2"};
    ui::Label Label3{this, "Label3"};
    ui::RadioButton RadioButton3{this, "RadioButton3"};
    ui::RadioButton RadioButton2{this, "RadioButton2"};
    ui::RadioButton RadioButton1{this, "RadioButton1"};
    ui::CheckBox CheckBox2{this, "CheckBox2"};
    ui::CheckBox CheckBox3{this, "CheckBox3"};
    ui::CheckBox CheckBox4{this, "CheckBox4"};
    ui::CheckBox CheckBox8{this, "CheckBox8"};
    ui::CheckBox CheckBox7{this, "CheckBox7"};
    ui::CheckBox CheckBox6{this, "CheckBox6"};
    ui::Panel Panel1{this, "Panel1"};
    ui::RadioButton RadioButton4{&Panel1, "RadioButton4"};
    ui::RadioButton RadioButton5{&Panel1, "RadioButton5"};
    ui::Edit Edit1{&Panel1, "Edit1"};
    ui::CheckBox CheckBox5{this, "CheckBox5"};
    ui::CheckBox CheckBox1{this, "CheckBox1"};
    ui::CheckBox CheckBox9{this, "CheckBox9"};
    widgets::TExplorerButton ExplorerButton1{
        this, "ExplorerButton1", "&Close", 281, 16, 89, 25, widgets::kDialogButtonOptions};
    widgets::TExplorerButton ExplorerButton2{
        this, "ExplorerButton2", "&Path settings", 280, 48, 89, 25, widgets::kDialogButtonOptions};
    widgets::TExplorerButton ExplorerButton3{
        this, "ExplorerButton3", "Download p&ack", 280, 88, 89, 25, widgets::kDialogButtonOptions};

    void FormCreate();
    void ExplorerButton1Click();
    void ExplorerButton2Click();
    void ExplorerButton3Click();

private:
    void layOut();
    void loadPreferences();
    void loadLastOptions();
    void applyPackage();
    void setPackageCaption();
    void savePreferences();
    void restart();
};

extern TForm7* Form7;

} // namespace korimba::settings
