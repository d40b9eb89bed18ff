#include "ui/main/case_commands.h"

#include "ui/common/file_dialog.h"
#include "ui/common/file_saving.h"
#include "ui/common/message_box.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace tarvilo {
namespace {

constexpr int kMaxRecentCases = 8;
constexpr const char *kRecentKey = "casosRecientes";
const QString kCaseFilter = QStringLiteral("Casos de Tarvilo (*.tarvilo)");

// Qt's usual settings store of the user: ~/.config/tarvilo/tarvilo.conf.
QSettings Settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarvilo"),
                     QStringLiteral("tarvilo"));
}

QString NameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

CaseCommands::CaseCommands(MainWindow &window, QMenu *menu, QAction *before) : QObject(&window), m_window(window)
{
    const auto add = [&](const char *name, const QString &text, const QKeySequence &keys,
                         void (CaseCommands::*handler)()) {
        auto *action = new QAction(text, menu);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        menu->insertAction(before, action);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    add("mnuAbrirCaso", QStringLiteral("&Abrir caso..."), QKeySequence::Open, &CaseCommands::mnuAbrirCaso_Click);
    add("mnuGuardarCaso", QStringLiteral("G&uardar caso"), QKeySequence::Save, &CaseCommands::mnuGuardarCaso_Click);
    // Keys, not the text "Ctrl+Shift+S": the text is read in the translated
    // key names, looked up one by one in Qt's Spanish texts at start-up.
    add("mnuGuardarCasoComo", QStringLiteral("Guardar caso co&mo..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &CaseCommands::mnuGuardarCasoComo_Click);
    m_recentMenu = new QMenu(QStringLiteral("Casos recien&tes"), menu);
    m_recentMenu->setObjectName(QStringLiteral("mnuCasosRecientes"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("mnuCasosRecientes"));
    menu->insertMenu(before, m_recentMenu);
    menu->insertSeparator(before);
    // Filled as the menu opens, not at start-up (the settings are not read
    // before the window shows), and again each time: another window of the
    // program may have changed the list meanwhile.
    connect(menu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });

    connect(&m_window, &MainWindow::caseChanged, this, [this] { updateModified(); });
}

// --- Handlers ---------------------------------------------------------------

void CaseCommands::mnuAbrirCaso_Click()
{
    if (!askToSaveChanges())
        return;
    const QString folder = m_path.isEmpty() ? QDir::currentPath() : QFileInfo(m_path).absolutePath();
    QFileDialog dialog(&m_window, QStringLiteral("Abrir caso"), folder,
                       kCaseFilter + QStringLiteral(";;Todos los archivos (*)"));
    dialog.setObjectName(QStringLiteral("dlgAbrir"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    openCase(dialog.selectedFiles().front());
}

void CaseCommands::mnuGuardarCaso_Click()
{
    if (m_path.isEmpty()) {
        saveCaseAs();
    } else {
        saveOpenCase();
    }
}

void CaseCommands::mnuGuardarCasoComo_Click()
{
    saveCaseAs();
}

void CaseCommands::mnuCasoReciente_Click(const QString &path)
{
    if (!askToSaveChanges())
        return;
    if (!QFileInfo::exists(path)) {
        forgetRecent(path);
        ShowMessageBox(&m_window, QMessageBox::Warning,
                       QStringLiteral("El caso %1 ya no existe: se quita de la lista de casos recientes.").arg(path));
        return;
    }
    openCase(path);
}

// --- Opening and saving ------------------------------------------------------

bool CaseCommands::openCase(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const CaseReading reading = ReadCaseFile(absolute);
    if (!reading.document) {
        tellOpenFailure(CaseOpenFailure(absolute, reading.problem));
        return false;
    }
    if (!apply(absolute, *reading.document))
        return false;
    m_stamp = FileStamp(reading.text);
    return true;
}

bool CaseCommands::apply(const QString &path, const CaseDocument &document)
{
    if (const std::optional<QString> refusal = m_window.openCase(document)) {
        tellOpenFailure(CaseOpenFailure(path, *refusal));
        return false;
    }
    becomeFile(path);
    // A companion window left open from before holds work the file lacks.
    if (!document.family)
        m_saved.family.reset();
    if (!document.sizing)
        m_saved.sizing.reset();
    if (!document.units)
        m_saved.units.reset();
    updateModified();
    return true;
}

bool CaseCommands::openStartCase(const QString &path)
{
    m_starting = true;
    const bool opened = openCase(path);
    m_starting = false;
    return opened;
}

void CaseCommands::tellOpenFailure(const QString &text)
{
    if (!m_starting) {
        ShowMessageBox(&m_window, QMessageBox::Warning, text);
        return;
    }
    QTimer::singleShot(0, &m_window, [this, text] { ShowMessageBox(&m_window, QMessageBox::Warning, text); });
}

bool CaseCommands::saveCase(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QByteArray text = CaseFileText(currentCase());
    if (!SaveWhole(&m_window, absolute, text))
        return false;
    m_stamp = FileStamp(text);
    becomeFile(absolute);
    return true;
}

bool CaseCommands::saveOpenCase()
{
    if (!m_stamp.changedOnDisk(m_path))
        return saveCase(m_path);
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle),
                    QStringLiteral("Otro programa ha cambiado el archivo %1 desde que se abrió o se guardó por última "
                                   "vez. ¿Sobrescribirlo con el caso de esta ventana?")
                            .arg(QDir::toNativeSeparators(m_path)),
                    QMessageBox::NoButton, &m_window);
    box.setObjectName(QStringLiteral("msgCasoCambiado"));
    QPushButton *overwrite = box.addButton(QStringLiteral("&Sobrescribir"), QMessageBox::DestructiveRole);
    QPushButton *saveAs = box.addButton(QStringLiteral("&Guardar como..."), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    // Enter by habit loses nothing.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite)
        return saveCase(m_path);
    if (box.clickedButton() == saveAs)
        return saveCaseAs();
    return false;
}

bool CaseCommands::saveCaseAs()
{
    const QString suggested = m_path.isEmpty() ? QStringLiteral("caso.tarvilo") : NameOf(m_path);
    const QString path = AskSavePath(&m_window, QStringLiteral("Guardar caso como"), suggested, { kCaseFilter });
    return !path.isEmpty() && saveCase(path);
}

void CaseCommands::becomeFile(const QString &path)
{
    m_path = path;
    m_saved = currentCase();
    rememberRecent(path);
    // "[*]" in the name itself is no mark.
    QString name = NameOf(path);
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    m_window.setWindowFilePath(path);
    m_window.setWindowTitle(name + QStringLiteral("[*] - Tarvilo"));
    m_window.setWindowModified(false);
}

CaseDocument CaseCommands::currentCase() const
{
    return m_window.currentCase();
}

void CaseCommands::updateModified()
{
    if (m_path.isEmpty())
        return;
    m_window.setWindowModified(!SameCase(currentCase(), m_saved));
}

bool CaseCommands::askToSaveChanges()
{
    updateModified();
    if (m_path.isEmpty() || !m_window.isWindowModified())
        return true;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
                    QStringLiteral("¿Guardar los cambios de %1?").arg(NameOf(m_path)), QMessageBox::NoButton,
                    &m_window);
    box.setObjectName(QStringLiteral("msgGuardarCambios"));
    QPushButton *save = box.addButton(QStringLiteral("&Guardar"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&No guardar"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return saveOpenCase();
    return box.clickedButton() != nullptr && box.clickedButton() != cancel;
}

// --- Recent cases -------------------------------------------------------------

QStringList CaseCommands::recentCases()
{
    return Settings().value(QString::fromLatin1(kRecentKey)).toStringList();
}

void CaseCommands::rememberRecent(const QString &path)
{
    QSettings settings = Settings();
    const QStringList before = settings.value(QString::fromLatin1(kRecentKey)).toStringList();
    QStringList recent = before;
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecentCases)
        recent.removeLast();
    // Written only when changed: the store is synced to the disk.
    if (recent != before)
        settings.setValue(QString::fromLatin1(kRecentKey), recent);
}

void CaseCommands::forgetRecent(const QString &path)
{
    QStringList recent = recentCases();
    recent.removeAll(path);
    Settings().setValue(QString::fromLatin1(kRecentKey), recent);
}

void CaseCommands::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = recentCases();
    int number = 0;
    for (const QString &path : recent) {
        ++number;
        // The whole path tells apart two cases of the same name; an "&" in
        // it is no shortcut.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(shown));
        action->setObjectName(QStringLiteral("mnuCasoReciente%1").arg(number));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { mnuCasoReciente_Click(path); });
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

} // namespace tarvilo
