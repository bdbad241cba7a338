#pragma once
// The process-list window: a list of inputs, one output folder, and whether
// the inputs are deleted after conversion.
#include "jobs/PathRules.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "widgets/ExplorerButton.h"
#include "widgets/WindowFrame.h"

namespace korimba::lists {

class TForm6 : public ui::Form {
public:
    TForm6();

    ui::Panel Panel1{this, "Panel1"};
    ui::Label Label2{&Panel1, "Label2"};
    ui::Panel Panel2{this, "Panel2"};
    ui::Image Image1{&Panel2, "Image1"};
    widgets::TExplorerButton ExplorerButton1{&Panel2, "ExplorerButton1", "Open &Explorer", 8, 8, 89,
                                             25};
    widgets::TExplorerButton ExplorerButton2{&Panel2, "ExplorerButton2", "&Remove all", 8, 33, 89,
                                             25};
    widgets::TExplorerButton ExplorerButton3{&Panel2, "ExplorerButton3", "&Close", 8, 64, 89, 25};
    ui::Panel Panel3{this, "Panel3"};
    ui::Image Image2{&Panel3, "Image2"};
    ui::Label Label1{&Panel3, "Label1"};
    ui::Memo Memo1{&Panel3, "Memo1"};
    ui::Label Label3{&Panel3, "Label3"};
    ui::Edit Edit1{&Panel3, "Edit1"};
    ui::CheckBox CheckBox1{&Panel3, "CheckBox1"};

    void FormCreate();
    void WMDropFiles(ui::DroppedFiles& files);
    void Memo1Enter();
    void Edit1Exit();
    void ExplorerButton1Click();
    void ExplorerButton2Click();
    void ExplorerButton3Click();
    void FormCloseQuery(bool& canClose);

    // The list as it stands: its entries in order (an empty line after a final
    // line break is none), and whether it still shows the instructional text.
    const std::vector<std::string>& entries() const { return Memo1.lines().lines(); }
    bool showsInstructionalText() const;
    // Raised when the window closes, for the main window to take its place again.
    ui::Event OnHandBack;

private:
    widgets::WindowFrame frame_{Panel1, Label2, Panel2, Image1, Panel3, Image2};
};

extern TForm6* Form6;

// The instructional text the list shows until files are dropped or typed.
const std::vector<std::string>& instructionalText();

// The output folder as the list jobs want it: ending in "\" unless it is empty
// or a drive alone.
std::string completedOutputFolder(const std::string& folder, const text::CodePage& codePage = {});

} // namespace korimba::lists
