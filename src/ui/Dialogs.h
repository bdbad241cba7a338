#pragma once
#include <string>

namespace korimba::ui {

enum class MessageKind { Error, Warning, Information, Confirmation };
enum class Answer { Ok, Yes, No };

// The title each kind of message box shows.
const char* messageTitle(MessageKind kind);

enum OpenOption : unsigned {
    OfHideReadOnly = 1u << 0,
    OfPathMustExist = 1u << 1,
    OfFileMustExist = 1u << 2,
    OfNoTestFileCreate = 1u << 3,
};

class Form;

class OpenDialog {
public:
    std::string title;
    // "Name|pattern|Name|pattern", as the windows define their filters.
    std::string filter;
    std::string defaultExt;
    unsigned options = 0;
    int filterIndex = 1;
    std::string fileName;
    // Where the dialog opens when the file name names no folder; "" for the system's choice.
    std::string initialDir;

    explicit OpenDialog(Form* owner) : owner_(owner) {}
    Form* owner() const { return owner_; }
    // Shows the dialog modally; true when the user chose a file (fileName holds it).
    bool execute();

private:
    Form* owner_;
};

} // namespace korimba::ui
