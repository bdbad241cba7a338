#pragma once
// The tool-paths dialog: where the encoder and decoder are.
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "widgets/ExplorerButton.h"

namespace korimba::settings {

class TForm2 : public ui::Form {
public:
    TForm2();

    ui::Image Image1{this, "Image1"};
    ui::Label Label1{this, "Label1"};
    ui::Edit Edit1{this, "Edit1"};
    widgets::TExplorerButton ExplorerButton4{this, "ExplorerButton4", "...", 288, 26, 17, 17};
    ui::Label Label2{this, "Label2"};
    ui::Edit Edit2{this, "Edit2"};
    widgets::TExplorerButton ExplorerButton5{this, "ExplorerButton5", "...", 288, 74, 17, 17};
    widgets::TExplorerButton ExplorerButton2{this, "ExplorerButton2", "D&ownload", 8, 104, 119, 25};
    widgets::TExplorerButton ExplorerButton3{this, "ExplorerButton3", "&Close", 127, 104, 89, 25};
    widgets::TExplorerButton ExplorerButton1{this, "ExplorerButton1", "&Save", 216, 104, 89, 25};
    ui::OpenDialog OpenDialog1{this};

    void FormCreate();
    void Edit1Change();
    void Edit2Change();
    void ExplorerButton1Click();
    void ExplorerButton2Click();
    void ExplorerButton3Click();
    void ExplorerButton4Click();
    void ExplorerButton5Click();

private:
    void browse(ui::Edit& field, int filterIndex);
};

extern TForm2* Form2;

// Where the package of both tools is offered for download.

} // namespace korimba::settings
