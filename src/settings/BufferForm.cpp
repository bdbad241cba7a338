#include "settings/BufferForm.h"

#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"

namespace korimba::settings {

TForm3* Form3 = nullptr;

TForm3::TForm3() : ui::Form("TForm3") {
    setCaption("Memo field");
    setClientSize(320, 240);
    Memo1.setBounds(0, 0, 105, 240);
    Memo2.setBounds(105, 0, 105, 240);
    Memo3.setBounds(210, 0, 110, 240);
    Memo2.lines().add("EncList");
    Memo3.lines().add("DecList");
    OnCreate = [this] { FormCreate(); };
}

void TForm3::FormCreate() {
    reloadToolPaths();
}

ui::Memo& TForm3::listProgress(const jobs::JobDirection& direction) {
    return jobs::sameDirection(direction, jobs::kEncoding) ? Memo2 : Memo3;
}

ui::TextLines& generalBuffer() {
    return Form3->Memo1.lines();
}

void saveScript(const std::string& path, std::vector<std::string> lines) {
    ui::TextLines& buffer = generalBuffer();
    buffer = ui::TextLines(std::move(lines));
    saveLines(system().files, path, buffer);
    buffer.clear();
}

} // namespace korimba::settings
