#pragma once

#include "document/case_file.h"
#include "ui/common/file_stamp.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

namespace tarvilo {

class MainWindow;

// The case-file commands of the main window: "Abrir caso...", "Guardar
// caso", "Guardar caso como..." and "Casos recientes", the caption naming
// the open case with its modified mark, and the question whether to save
// the changes before they are lost.
class CaseCommands : public QObject
{
    Q_OBJECT

public:
    // The commands go into menu before the command before.
    CaseCommands(MainWindow &window, QMenu *menu, QAction *before);

    // Opens a case: its values in the boxes (with the regional separator),
    // its kept cases, its family, then a calculation as "Calcular" makes.
    // A file that cannot be opened is told and changes nothing. True when
    // opened.
    bool openCase(const QString &path);
    // The same for the case given at start, while the window is not shown
    // yet: a file that cannot be opened is told once the event loop runs,
    // over the window rather than before it.
    bool openStartCase(const QString &path);
    // Writes the case whole or not at all; a failure is told. True when saved.
    bool saveCase(const QString &path);
    // Writes the case to the open file ("Guardar caso"). Where another
    // program has changed the file since it was opened or saved, asks first
    // whether to write over it, save the case under another name or leave
    // it. True when saved.
    bool saveOpenCase();

    // The open case file, empty while there is none.
    QString casePath() const { return m_path; }
    // The recent cases, the newest first, as the settings keep them.
    static QStringList recentCases();
    // Where there are changes not yet saved to the open case, asks whether
    // to save them. False when the user cancels (or the saving failed).
    bool askToSaveChanges();
    // Sets the modified mark by what the window now holds.
    void updateModified();

private:
    void mnuAbrirCaso_Click();
    void mnuGuardarCaso_Click();
    void mnuGuardarCasoComo_Click();
    void mnuCasoReciente_Click(const QString &path);

    // "Guardar caso como...": true when saved.
    bool saveCaseAs();

    void fillRecentMenu();
    static void rememberRecent(const QString &path);
    static void forgetRecent(const QString &path);
    // The case as the window holds it now.
    CaseDocument currentCase() const;
    bool apply(const QString &path, const CaseDocument &document);
    void tellOpenFailure(const QString &text);
    void becomeFile(const QString &path);

    MainWindow &m_window;
    QMenu *m_recentMenu = nullptr;
    QString m_path;
    CaseDocument m_saved; // what the file holds, as the window read it
    FileStamp m_stamp; // the bytes the file held when opened or saved
    bool m_starting = false; // opening the start case: a failure is told later
};

} // namespace tarvilo
