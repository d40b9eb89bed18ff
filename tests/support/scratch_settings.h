#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace tarvilo::testing {

// While it lives, the program's settings (the recent cases) go to a scratch
// store of the test's own, never the user's.
class ScratchSettings
{
public:
    ScratchSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path()); }

private:
    QTemporaryDir m_folder;
};

} // namespace tarvilo::testing
