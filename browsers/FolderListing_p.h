// Reading folders from disk for the folder tree, as plain functions tested without widgets.
#pragma once

#include <QString>
#include <vector>

namespace qor {

struct TFolderEntry {
    QString Name;
    bool HasSubDirs = false; ///< the folder holds at least one listed subfolder (an expand button)
    bool Loop = false;       ///< a symbolic link back to a folder on its own path: shown as a leaf
};

/// The subfolders of Path (a folder path with a trailing "/"): every entry that is a folder or a
/// symbolic link to one, except names beginning with a point; each opened once to find whether
/// it has subfolders of its own. Sorted by lower-cased name, equal keys by name. A folder that
/// cannot be read gives an empty list; a subfolder that cannot be read has no subfolders.
std::vector<TFolderEntry> LoadDirNamesAndSort(const QString& path);

} // namespace qor
