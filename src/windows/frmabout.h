#pragma once

// The about box: the program's title and version, credits, a disclaimer, and the button that
// would start the system's information program.

#include <QDialog>
#include <cstddef>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;

namespace zyn {

class Prompts;

inline constexpr const char* ApplicationTitle = "ZYN Text File Editor";

// "Version 1.0.0", from the build's version numbers.
QString versionLine();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(Prompts& prompts, QWidget* parent = nullptr);

    // There is no system information program to start on this platform: it says so.
    void StartSysInfo();

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();

    Prompts& prompts_;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
};

} // namespace zyn
