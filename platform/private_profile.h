// Where the small settings files kept beside the program ("CONVERT.INI", the
// program's own ".INI") live: in the program folder, or in the user's
// configuration folder when the program folder cannot be written.
#pragma once

#include <QString>

namespace tintara {

QString PrivateProfilePath(const QString& programFolder, const QString& fileName);

}  // namespace tintara
