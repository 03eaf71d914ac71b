// LIST: what the selected objects are, one block of lines each.
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/commands/list_text.h"

namespace cvx::editor::commands {
namespace {

void listCommand() {
    for (AcDbObjectId id : selectObjects()) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        if (!ent) continue;
        std::vector<std::wstring> lines = listText(ent.object());
        for (size_t i = 0; i < lines.size(); ++i) acutPrintf(L"%ls%ls\n", i ? L"    " : L"\n", lines[i].c_str());
    }
}

}  // namespace

void registerListCommands(Registrar& add) { add(L"LIST", listCommand); }

}  // namespace cvx::editor::commands
