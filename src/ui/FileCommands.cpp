#include "ui/FileCommands.h"

namespace pixmere {

bool FileCommands::Run(FontCommand, form1&) { return false; }
bool FileCommands::OpenFile(const QString&, form1&) { return false; }
bool FileCommands::ContinueImport(FontCommand, form1&) { return false; }
bool FileCommands::Save(form1&) { return false; }
bool FileCommands::SaveAs(form1&) { return false; }

}  // namespace pixmere
