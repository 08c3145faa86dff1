#pragma once

#include <QString>

namespace orv::gui {

// The data the program ships with (help pages, its own icons) lives in share/orvanta beside the
// program's folder: installed under any prefix, <prefix>/bin/orvanta finds
// <prefix>/share/orvanta/<name>; in the build folder, the programs sit one to three levels below
// the build folder's share/orvanta (src/app, tests/gui).

// The folder `name` of the nearest share/orvanta above `programDir` that holds it (and holds
// `marker` inside it, when one is given); empty when there is none.
QString findDataFolder(const QString& programDir, const QString& name, const QString& marker = {});

// The same for the running program.
QString dataFolder(const QString& name, const QString& marker = {});

// Where the running program, installed, expects the folder: <its folder>/../share/orvanta/<name>.
QString expectedDataFolder(const QString& name);

}  // namespace orv::gui
