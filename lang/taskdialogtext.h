#pragma once

#include <QString>

namespace vistarel::lang {

// The three texts of the program's task dialog (titled "Vistarel", buttons "OK" and
// "Abbrechen"): a bold instruction, the content, and a footer.
struct TaskDialogText
{
    QString instruction;
    QString content;
    QString footer;
};

} // namespace vistarel::lang
