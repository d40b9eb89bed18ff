#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace tarvilo {

namespace sysinfo {
class SysInfoPlatform;
}

// frmAbout: names the program and its version, warns that results are for
// study, and starts the system-information program. Modeless, without
// owner, deleted when closed.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

    // The one dialog of the program: brought forward when it is open, built
    // afresh when it is not.
    static AboutDialog *showSingle();

    // Lets tests stand in for the system.
    void setPlatform(std::unique_ptr<sysinfo::SysInfoPlatform> platform);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void buildControls();

    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdSysInfo = nullptr;
    std::unique_ptr<sysinfo::SysInfoPlatform> m_platform;
};

} // namespace tarvilo
