#pragma once

#include <QString>
#include <QStringList>

namespace pixmere {

// Where the help pages are looked for after the start directory: the folder they are installed
// in beside the program (<prefix>/share/pixmere/help), then the source tree the program was
// built from, so that a program run from its build folder finds them too.
QStringList HelpFolders();

// The first folder of `folders` that holds the page `name`, as a path to the page; empty when
// none does.
QString FindHelpPage(const QString& name, const QStringList& folders);

// What the user is told when no folder holds the page.
QString MissingHelpMessage(const QString& name, const QStringList& folders);

}  // namespace pixmere
