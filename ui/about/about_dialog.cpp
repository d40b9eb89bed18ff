#include "ui/about/about_dialog.h"

#include "platform/sysinfo/sys_info_launcher.h"
#include "ui/common/app_icon.h"
#include "ui/common/form_font.h"
#include "ui/common/message_box.h"
#include "ui/common/twips_layout.h"
#ifdef _WIN32
#  include "platform/sysinfo/sys_info_windows.h"
#else
#  include "platform/sysinfo/sys_info_linux.h"
#endif

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <string>

namespace tarvilo {
namespace {

#ifdef _WIN32
using NativePlatform = sysinfo::WindowsSysInfoPlatform;
#else
using NativePlatform = sysinfo::LinuxSysInfoPlatform;
#endif

// The system's own lookups, with the message shown over the dialog.
class DialogPlatform final : public NativePlatform
{
public:
    explicit DialogPlatform(QWidget *owner) : m_owner(owner) { }

    void showMessage(const std::string &text) override
    {
        ShowMessageBox(m_owner, QMessageBox::NoIcon, QString::fromStdString(text));
    }

private:
    QWidget *m_owner;
};

// One of the two lines that together draw the etched separator.
void MakeLine(QWidget *parent, int index, const QRect &geometry, const QColor &colour)
{
    auto *line = Place(new QFrame(parent), "Line1", geometry);
    line->setProperty("index", index);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

QPointer<AboutDialog> &TheDialog()
{
    static QPointer<AboutDialog> dialog;
    return dialog;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent), m_platform(std::make_unique<DialogPlatform>(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(TwipsSize(5730, 3555));
    setWindowIcon(AppIcon());
    buildControls();
    Form_Load();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::setPlatform(std::unique_ptr<sysinfo::SysInfoPlatform> platform)
{
    m_platform = std::move(platform);
}

AboutDialog *AboutDialog::showSingle()
{
    QPointer<AboutDialog> &dialog = TheDialog();
    if (!dialog)
        dialog = new AboutDialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void AboutDialog::buildControls()
{
    m_lblTitle = MakeLabel(this, "lblTitle", QString(), Twips(1050, 240, 3885, 480));
    QFont titleFont = font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    // Wider than first drawn (1125 twips), so the whole version text shows.
    m_lblVersion = MakeLabel(this, "lblVersion", QString(), Twips(1080, 720, 3855, 225));
    MakeLabel(this, "lblDescription", QString(), Twips(1050, 1125, 3885, 1170));
    QLabel *disclaimer = MakeLabel(this, "lblDisclaimer", QString(), Twips(255, 2625, 3870, 825));
    disclaimer->setText(QStringLiteral("Aviso: los resultados sirven para el estudio y la docencia; "
                                       "compruébelos antes de usarlos en la operación o el diseño de una red."));

    // Grey over white etches the separator into a light face; on a dark
    // face (a dark desktop theme) a white line would stand out as a bar, so
    // the palette's own shadow and light do it there.
    const bool darkFace = palette().color(QPalette::Window).lightness() < 128;
    MakeLine(this, 1, Twips(90, 2445, 5654 - 90 + 15, 15),
             darkFace ? palette().color(QPalette::Shadow) : QColor(128, 128, 128));
    MakeLine(this, 0, Twips(105, 2460, 5654 - 105 + 15, 30),
             darkFace ? palette().color(QPalette::Light) : QColor(Qt::white));

    m_cmdOK = Place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", Twips(4245, 2625, 1260, 345));
    m_cmdOK->setDefault(true);
    m_cmdSysInfo =
            Place(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo", Twips(4260, 3075, 1245, 345));
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
void AboutDialog::cmdOK_Click()
{
    close();
}

void AboutDialog::cmdSysInfo_Click()
{
    sysinfo::StartSysInfo(*m_platform);
}

} // namespace tarvilo
