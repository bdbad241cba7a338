#pragma once
// The about box: name, version and the maker's links.
#include "ui/Controls.h"
#include "ui/Form.h"
#include "widgets/ExplorerButton.h"

namespace korimba::app {

class TForm4 : public ui::Form {
public:
    TForm4();

    ui::Image Image2{this, "Image2"};
    ui::Image Image1{this, "Image1"};
    ui::Label Label1{this, "Label1"};
    ui::Label Label6{this, "Label6"};
    ui::Bevel Bevel1{this, "Bevel1"};
    ui::Bevel Bevel2{this, "Bevel2"};
    ui::Bevel Bevel3{this, "Bevel3"};
    ui::Bevel Bevel4{this, "Bevel4"};
    ui::Label Label2{this, "Label2"};
    ui::Label Label3{this, "Label3"};
    widgets::TExplorerButton ExplorerButton2{
        this, "ExplorerButton2", "&Close", 368, 20, 89, 18, widgets::kDialogButtonOptions};
    widgets::TExplorerButton ExplorerButton3{
        this, "ExplorerButton3", "Visit our &site", 368, 38, 89, 18, widgets::kDialogButtonOptions};
    widgets::TExplorerButton ExplorerButton1{
        this, "ExplorerButton1", "&E-mail", 368, 56, 89, 18, widgets::kDialogButtonOptions};

    void FormCreate();
    void ExplorerButton3Click();
    void ExplorerButton1Click();
};

extern TForm4* Form4;

} // namespace korimba::app
