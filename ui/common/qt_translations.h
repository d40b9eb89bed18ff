#pragma once

class QCoreApplication;

namespace tarvilo {

// Qt's own texts (file dialogs, standard buttons, the boxes' context menu) in
// Spanish, whatever the user's locale: the whole program speaks Spanish.
// Returns false, leaving Qt's English texts, when Qt's Spanish catalogue is not
// installed.
bool InstallQtSpanishTranslations(QCoreApplication &application);

} // namespace tarvilo
