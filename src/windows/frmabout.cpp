#include "windows/frmabout.h"

#include "windows/prompts.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace zyn {

QString versionLine() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(ZYN_VERSION_MAJOR)
        .arg(ZYN_VERSION_MINOR)
        .arg(ZYN_VERSION_PATCH);
}

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QFrame* makeLine(QWidget* parent, const QRect& geometry, const QColor& color) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(geometry);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    return line;
}

} // namespace

frmAbout::frmAbout(Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      prompts_(prompts) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setFixedSize(382, 237);
    QFont small = font();
    small.setPointSizeF(8.5);
    setFont(small);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(16, 16, 32, 32);
    picIcon->setPixmap(QIcon(QStringLiteral(":/icons/app")).pixmap(32, 32));

    lblTitle_ = makeLabel(this, "lblTitle", {70, 16, 259, 32}, QStringLiteral("Application Title"));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(13);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblVersion_ = makeLabel(this, "lblVersion", {70, 52, 259, 18}, QStringLiteral("Version"));
    makeLabel(this, "lblDescription", {70, 75, 259, 78},
              QStringLiteral("Written in 2025 by the ZYN Text File Editor authors. Free to use, "
                             "copy and give away."));
    makeLine(this, {6, 163, 370, 1}, QColor(128, 128, 128));
    makeLine(this, {7, 164, 369, 2}, Qt::white);
    makeLabel(this, "lblDisclaimer", {17, 175, 258, 55},
              QStringLiteral("Comes with no warranty of any kind. Meant for making modifications "
                             "of the ZYN games and for viewing the texts of their text archive."));

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(283, 175, 84, 23);
    // Enter presses OK as the default button; Esc closes the box through reject().
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(284, 205, 83, 23);
    cmdSysInfo->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load() {
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    const QString title = QString::fromLatin1(ApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion_->setText(versionLine());
    lblTitle_->setText(title);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    prompts_.notify(this, QString::fromLatin1(ApplicationTitle),
                    QStringLiteral("System Information Is Unavailable At This Time"),
                    Prompts::Icon::None);
}

} // namespace zyn
