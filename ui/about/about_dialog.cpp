#include "ui/about/about_dialog.h"

#include "ui/about/app_icon.h"
#include "ui/about/sys_info_launcher.h"
#include "ui/about/twips_layout.h"
#ifdef _WIN32
#include "ui/about/sys_info_windows.h"
#else
#include "ui/about/sys_info_linux.h"
#endif

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace tarvilo {
namespace {

#ifdef _WIN32
using NativePlatform = sysinfo::WindowsSysInfoPlatform;
#else
using NativePlatform = sysinfo::LinuxSysInfoPlatform;
#endif

// The system's own lookups, with the message shown over the dialog.
class DialogPlatform final : public NativePlatform {
public:
    explicit DialogPlatform(QWidget* owner) : m_owner(owner) {}

    void ShowMessage(const std::string& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("tarvilo"), QString::fromStdString(text),
                        QMessageBox::Ok, m_owner);
        box.exec();
    }

private:
    QWidget* m_owner;
};

// One of the two lines that together draw the etched separator.
void MakeLine(QWidget* parent, int index, const QRect& geometry, const QColor& colour)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setGeometry(geometry);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

QPointer<AboutDialog>& TheDialog()
{
    static QPointer<AboutDialog> dialog;
    return dialog;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_platform(std::make_unique<DialogPlatform>(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(5730 / 15, 3555 / 15);
    setWindowIcon(AppIcon());
    BuildControls();
    Form_Load();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::setPlatform(std::unique_ptr<sysinfo::SysInfoPlatform> platform) { m_platform = std::move(platform); }

AboutDialog* AboutDialog::ShowSingle()
{
    QPointer<AboutDialog>& dialog = TheDialog();
    if (!dialog) dialog = new AboutDialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void AboutDialog::BuildControls()
{
    m_lblTitle = MakeLabel(this, "lblTitle", QString(), Twips(1050, 240, 3885, 480));
    QFont titleFont = font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    // Wider than first drawn (1125 twips), so the whole version text shows.
    m_lblVersion = MakeLabel(this, "lblVersion", QString(), Twips(1080, 720, 3855, 225));
    MakeLabel(this, "lblDescription", QString(), Twips(1050, 1125, 3885, 1170));
    QLabel* disclaimer = MakeLabel(this, "lblDisclaimer", QString(), Twips(255, 2625, 3870, 825));
    disclaimer->setText(QStringLiteral("Aviso: los resultados sirven para el estudio y la docencia; "
                                       "compruébelos antes de usarlos en la operación o el diseño de una red."));

    MakeLine(this, 1, Twips(90, 2445, 5654 - 90 + 15, 15), QColor(128, 128, 128));
    MakeLine(this, 0, Twips(105, 2460, 5654 - 105 + 15, 30), Qt::white);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(Twips(4245, 2625, 1260, 345));
    m_cmdOK->setDefault(true);
    m_cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_cmdSysInfo->setGeometry(Twips(4260, 3075, 1245, 345));
    m_cmdSysInfo->setAutoDefault(false);
    setTabOrder(m_cmdOK, m_cmdSysInfo);
    m_cmdOK->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void AboutDialog::Form_Load()
{
    setWindowTitle(QStringLiteral("Acerca de este programa..."));
    m_lblVersion->setText(QStringLiteral("Version 1 (prueba)"));
    m_lblTitle->setText(QStringLiteral("Tarvilo"));
}

// Esc reaches QDialog::reject(), which closes the dialog just as OK does.
void AboutDialog::cmdOK_Click() { close(); }

void AboutDialog::cmdSysInfo_Click() { sysinfo::StartSysInfo(*m_platform); }

}  // namespace tarvilo
