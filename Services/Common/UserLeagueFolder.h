// The league folder of an installed program: each user's own, filled from the read-only
// templates installed beside the libraries. A build tree has no templates and keeps its
// own folder rule (GRServiceUtils).
#pragma once

#include <string>

namespace gr {

// The templates of an installation whose libraries sit in libraryFolder
// (<prefix>/lib/gridora -> <prefix>/share/gridora/templates), or empty text when that folder
// holds no league template: the library runs from a build tree.
std::string InstalledTemplateFolder(const std::string& libraryFolder);

// $XDG_DATA_HOME/Gridora, or $HOME/.local/share/Gridora when XDG_DATA_HOME is unset, empty or
// relative (the XDG rule); the account's home folder stands in for an unset HOME. Empty text
// when no home is known.
std::string UserLeagueFolder();

// Creates folder (owner only) when missing and copies into it every template file it lacks.
// A file already there is never replaced, so the user's league survives every start; a copy
// appears whole or not at all. False with a message naming the folder or file on failure.
bool FillLeagueFolder(const std::string& templateFolder, const std::string& folder,
                      std::string& errorMessage);

}  // namespace gr
