#include "windows/frmtext.h"

#include "session/documentsession.h"
#include "windows/documentfiles.h"
#include "windows/editorspelling.h"
#include "windows/entrytypes.h"
#include "windows/frmabout.h"
#include "windows/frmcompare.h"
#include "windows/frmentries.h"
#include "windows/frmfind.h"
#include "windows/frmfindarchive.h"
#include "windows/frmglossary.h"
#include "windows/frmshortcuts.h"
#include "windows/pathtext.h"
#include "windows/previewpicture.h"
#include "windows/previewtext.h"
#include "windows/shortcuts.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEventLoop>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace zyn {

namespace {

struct BarButton {
    int index;
    const char* icon;
    const char* toolTip;
    const char* menuItem; // the menu item whose action the button shows; null for the bar's own
};

constexpr std::array<BarButton, 10> BarButtons{{
    {1, "open", "Open", "mnuFileOpen"},
    {3, "save", "Save", "mnuFileSave"},
    {4, "saveas", "Save As", "mnuFileSaveAs"},
    {6, "back", "Back", nullptr},
    {7, "forward", "Forward", nullptr},
    {9, "first", "To the beginning", nullptr},
    {10, "last", "To the end", nullptr},
    {12, "edit", "Edit", nullptr},
    {14, "about", "About", "mnuHelpAbout"},
    {15, "exit", "Exit", "mnuFileExit"},
}};

constexpr int ButtonWidth = 23;
constexpr int SeparatorWidth = 8;
constexpr int BarTop = 480;
constexpr int BarHeight = 22;

// The bar's own buttons, which only make sense while there are entries.
constexpr std::array<int, 5> EntryButtons{6, 7, 9, 10, 12};

} // namespace

frmText::frmText(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), session_(session), prompts_(prompts), frontColor_(DefaultFrontColor),
      picture_(TitlePicture) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("ZYN Text File Editor"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app")));
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // The preview keeps the game's size; the window grows only by its docks.
    client->setFixedSize(640, 502);
    setCentralWidget(client);
    buildPreview(client);
    // The bar shows some of the menus' actions, so the menus come first.
    buildMenus();
    buildButtonBar(client);
    addKeys();
    ShowKeysInToolTips(*this);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);
    timer1_->setInterval(1);
    connect(timer1_, &QTimer::timeout, this, &frmText::Timer1_Timer);

    // While a save waits for an archive another program is rebuilding, the windows keep
    // painting; the user's input waits, so that nothing starts a second save meanwhile.
    session_.state().ArchiveWait.pause = [](std::chrono::milliseconds time) {
        QEventLoop loop;
        QTimer::singleShot(time, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };

    buildDocks();
    layout()->activate();
    resize(minimumSizeHint());
    // The native window takes its placing rule when it is made, which the first message box
    // does before the load step places the window: placed now, the window manager puts the
    // frame, not the inner area, at the top of the screen in both starts.
    placeWindow();
    followSession();
}

frmText::~frmText() {
    // Closing, the window hides its docks; there is no window left to fit to them.
    for (QDockWidget* dock : findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        disconnect(dock, nullptr, this, nullptr);
        disconnect(dock->toggleViewAction(), nullptr, this, nullptr);
    }
}

void frmText::followSession() {
    DocumentSession* session = &session_;
    connect(session, &DocumentSession::documentReplaced, this, &frmText::showLoadedDocument);
    connect(session, &DocumentSession::currentEntryChanged, this, [this](int entry) {
        combo2_->setCurrentIndex(entry);
        ShowEntry();
    });
    connect(session, &DocumentSession::entriesChanged, this, [this](int first, int last) {
        if (first <= session_.currentEntry() && session_.currentEntry() <= last)
            ShowEntry();
    });
    connect(session, &DocumentSession::versionChanged, this, &frmText::showVersion);
    connect(session, &DocumentSession::displayChanged, this, [this] {
        // The selector shows the session's set, also one chosen elsewhere; not while it lists
        // ordinals.
        if (combo1_->count() == static_cast<int>(CharacterSets.size()))
            combo1_->setCurrentIndex(session_.characterSetIndex());
        ShowEntry();
    });
    connect(session, &DocumentSession::keyboardGroupChanged, this, &frmText::showKeyboardGroup);
    connect(session, &DocumentSession::cleanChanged, this,
            [this](bool clean) { setSaveEnabled(!clean); });
    connect(session, &DocumentSession::originChanged, this, &frmText::updateTitle);
    connect(session, &DocumentSession::editRequested, this, &frmText::editEntry);
}

void frmText::buildPreview(QWidget* client) {
    image1_ = new PreviewPicture(client);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(0, 0, 640, 480);
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(TitlePicture);

    // The shadow lies 2 pixels right of and 4 below the front text; both wrap alike because
    // they have the same size and font.
    auto makeLayer = [&](const char* name, int x, int y) {
        auto* label = new PreviewText(session_.previewFit(), client);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(QRect(QPoint(x, y), PreviewTextArea));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(session_.previewFont());
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    };
    label1_ = makeLayer("Label1", 18, 19);
    label2_ = makeLayer("Label2", 16, 15);
    // A dashed red line across the text where it is cut, with scissors at its end.
    cutMark_ = new QLabel(QStringLiteral("\u2702"), client);
    cutMark_->setObjectName(QStringLiteral("CutMark"));
    cutMark_->setGeometry(label2_->x(), 0, label2_->width(), 14);
    cutMark_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    cutMark_->setStyleSheet(QStringLiteral(
        "QLabel { border-top: 2px dashed #ff3030; color: #ff3030; background: transparent; }"));
    cutMark_->hide();
    QPalette shadow = label1_->palette();
    shadow.setColor(QPalette::WindowText, Qt::black);
    label1_->setPalette(shadow);
    setFrontColor(frontColor_);
}

void frmText::buildButtonBar(QWidget* client) {
    auto* bar = new QFrame(client);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setGeometry(0, BarTop, 640, BarHeight);

    int x = 0;
    for (int index = 1; index <= BarPositions; ++index) {
        const auto found = std::find_if(BarButtons.begin(), BarButtons.end(),
                                        [index](const BarButton& b) { return b.index == index; });
        if (found == BarButtons.end()) {
            auto* separator = new QFrame(bar);
            separator->setObjectName(QStringLiteral("Separator%1").arg(index));
            separator->setFrameShape(QFrame::VLine);
            separator->setFrameShadow(QFrame::Sunken);
            separator->setGeometry(x + 2, 2, SeparatorWidth - 4, BarHeight - 4);
            x += SeparatorWidth;
            continue;
        }
        auto* button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("Button%1").arg(index));
        const QIcon icon(QStringLiteral(":/icons/") + QLatin1String(found->icon));
        const QString toolTip = QString::fromLatin1(found->toolTip);
        if (found->menuItem) {
            // One action for the menu item and the button: enabling it enables both.
            QAction* action = menuItem(found->menuItem);
            action->setIcon(icon);
            action->setIconVisibleInMenu(false);
            action->setToolTip(toolTip);
            button->setDefaultAction(action);
        } else {
            button->setIcon(icon);
            button->setToolTip(toolTip);
            connect(button, &QToolButton::clicked, this,
                    [this, index] { Toolbar1_ButtonClick(index); });
        }
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(x, 0, ButtonWidth, BarHeight);
        bar_[index] = button;
        x += ButtonWidth;
    }

    combo2_ = new QComboBox(bar);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->setGeometry(336, 0, 73, BarHeight);
    combo2_->setMaxVisibleItems(20);
    connect(combo2_, &QComboBox::activated, this, &frmText::Combo2_Click);

    combo1_ = new QComboBox(bar);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setGeometry(416, 0, 217, BarHeight);
    combo1_->setMaxVisibleItems(14);
    connect(combo1_, &QComboBox::activated, this, &frmText::Combo1_Click);
}

QAction* frmText::addItem(QMenu* menu, const char* name, const char* caption,
                          void (frmText::*slot)()) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QAction* frmText::addCheckItem(QMenu* menu, const char* name, const char* caption,
                               void (frmText::*slot)()) {
    QAction* action = addItem(menu, name, caption, nullptr);
    action->setCheckable(true);
    // Qt flips the mark before the handler runs; the handlers decide the marks themselves
    // (choosing the checked type again must change nothing), so undo Qt's flip first.
    connect(action, &QAction::triggered, this, [this, action, slot] {
        action->setChecked(!action->isChecked());
        if (slot)
            (this->*slot)();
    });
    return action;
}

void frmText::buildMenus() {
    auto addMenu = [this](const char* name, const char* caption) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = addMenu("mnuFile", "&File");
    addItem(file, "mnuFileOpen", "&Open", &frmText::mnuFileOpen_Click);
    addItem(file, "mnuFileOpenFromHQR", "Open from &HQR", &frmText::mnuFileOpenFromHQR_Click);
    mnuFileRecent_ = file->addMenu(QStringLiteral("Recent files"));
    mnuFileRecent_->setObjectName(QStringLiteral("mnuFileRecent"));
    mnuFileRecent_->menuAction()->setObjectName(QStringLiteral("mnuFileRecent"));
    mnuFileRecent_->setToolTipsVisible(true);
    connect(file, &QMenu::aboutToShow, this, &frmText::showRecentFiles);
    buildProjectFileItems(file);
    addSeparator(file, "mnuFileSep1");
    addItem(file, "mnuFileSave", "&Save", &frmText::mnuFileSave_Click);
    addItem(file, "mnuFileSaveAs", "Save &As", &frmText::mnuFileSaveAs_Click);
    addItem(file, "mnuFileSaveToHQR", "Save to H&QR...", &frmText::mnuFileSaveToHQR_Click);
    addSeparator(file, "mnuFileExtraSeparator");
    addItem(file, "mnuFileConvertFile", "&Can't convert not-loaded file",
            &frmText::mnuFileConvertFile_Click)
        ->setEnabled(false);
    addSeparator(file, "mnuFileSep2");
    addItem(file, "mnuFileExit", "E&xit", &frmText::mnuFileExit_Click);

    QMenu* edit = addMenu("mnuEdit", "E&dit");
    buildEditMenu(edit);
    addSeparator(edit, "mnuEditSep2");
    addItem(edit, "mnuEditFindInArchive", "Find in &Archive...",
            &frmText::mnuEditFindInArchive_Click);
    addItem(edit, "mnuEditGlossary", "&Glossary...", &frmText::mnuEditGlossary_Click);
    buildMemoryItems(edit);

    QMenu* view = addMenu("mnuView", "&View");
    addCheckItem(view, "mnuViewEntries", "&Entries", &frmText::mnuViewEntries_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    addItem(view, "mnuViewCompare", "&Compare with...", &frmText::mnuViewCompare_Click);
    buildProjectItems(view);

    QMenu* extra = addMenu("mnuExtra", "&Extra");

    addItem(extra, "mnuExtraLoadChr", "&Load character remapping", &frmText::mnuExtraLoadChr_Click);
    addItem(extra, "mnuExtraOrdinal", "Load &ordinal file", &frmText::mnuExtraOrdinal_Click);
    addItem(extra, "mnuExtraSubstitutions", "Su&bstitutions...",
            &frmText::mnuExtraSubstitutions_Click);
    extra->addMenu(MakeSpellingMenu(session_, extra));

    mnuType_ = addMenu("mnuType", "&Type");
    void (frmText::*typeHandlers[])() = {
        &frmText::mnuTypeNormal_Click,   &frmText::mnuTypeBigFrame_Click,
        &frmText::mnuTypeNoBig_Click,    &frmText::mnuTypeNoFrame_Click,
        &frmText::mnuTypeHolomap_Click,  &frmText::mnuTypeRadio_Click,
        &frmText::mnuTypeRadioBig_Click, &frmText::mnuTypeInventory_Click,
        &frmText::mnuTypeDemo_Click,
    };
    for (std::size_t i = 0; i < EntryTypes.size(); ++i)
        addCheckItem(mnuType_, EntryTypes[i].menuName, EntryTypes[i].caption, typeHandlers[i]);

    mnuKeybGroups_ = addMenu("mnuKeybGroups", "&KeybGroups");
    addCheckItem(mnuKeybGroups_, "mnuKeybLetters", "&Letters of the character set",
                 &frmText::mnuKeybLetters_Click)
        ->setChecked(session_.keyboardGroup() == KeyboardGroup::Letters);
    addCheckItem(mnuKeybGroups_, "mnuKeybNone", "&None", &frmText::mnuKeybNone_Click)
        ->setChecked(session_.keyboardGroup() == KeyboardGroup::None);
    addCheckItem(mnuKeybGroups_, "mnuKeybWest", "&Western European", &frmText::mnuKeybWest_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybSloCze", "&SLO/CZE/SVK/CRO",
                 &frmText::mnuKeybSloCze_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybPolRom", "&POL/ROM", nullptr)->setEnabled(false);
    addCheckItem(mnuKeybGroups_, "mnuKeybHunTur", "&HUN/TUR", nullptr)->setEnabled(false);
    addCheckItem(mnuKeybGroups_, "mnuKeybGreek", "&Greek", &frmText::mnuKeybGreek_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybHeb", "&Hebrew", &frmText::mnuKeybHeb_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybRusUkr", "&RUS/UKR", &frmText::mnuKeybRusUkr_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybSweNor", "&SWE/NOR/DAN", &frmText::mnuKeybSweNor_Click);
    addCheckItem(mnuKeybGroups_, "mnuKeybChiBopo", "&Chinese Bopomofo", nullptr)->setEnabled(false);

    QAction* convert = menuBar()->addAction(QStringLiteral("&Convert..."));
    convert->setObjectName(QStringLiteral("mnuConvert"));
    convert->setEnabled(false);
    connect(convert, &QAction::triggered, this, &frmText::mnuConvert_Click);

    QMenu* help = addMenu("mnuHelp", "&Help");
    addItem(help, "mnuHelpShortcuts", "&Keyboard Shortcuts", &frmText::mnuHelpShortcuts_Click);
    addItem(help, "mnuHelpAbout", "&About", &frmText::mnuHelpAbout_Click);
}

QToolButton* frmText::barButton(int index) const {
    return index >= 1 && index <= BarPositions ? bar_[index] : nullptr;
}

QAction* frmText::menuItem(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

int frmText::characterSet() const {
    return session_.codec().characterSet().fontCharset;
}

void frmText::setSaveEnabled(bool enabled) {
    menuItem("mnuFileSave")->setEnabled(enabled);
}

void frmText::setTypeMenuEnabled(bool enabled) {
    mnuType_->menuAction()->setEnabled(enabled);
    mnuType_->setEnabled(enabled);
}

void frmText::setNavigationEnabled(bool enabled) {
    for (int index : EntryButtons)
        bar_[index]->setEnabled(enabled);
    combo2_->setEnabled(enabled);
}

void frmText::setNoDocumentState() {
    setSaveEnabled(false);
    menuItem("mnuFileSaveAs")->setEnabled(false);
    menuItem("mnuFileSaveToHQR")->setEnabled(false);
    setTypeMenuEnabled(false);
    combo1_->setEnabled(false);
    setNavigationEnabled(false);
    combo2_->clear();
    setCaptions({}, {});
}

void frmText::setDocumentLoadedState() {
    setSaveEnabled(false);
    menuItem("mnuFileSaveAs")->setEnabled(true);
    menuItem("mnuFileSaveToHQR")->setEnabled(true);
    QAction* convert = menuItem("mnuFileConvertFile");
    convert->setText(session_.document().IsVersion2
                         ? QStringLiteral("&Convert file from ZYN 2 to ZYN 1 format")
                         : QStringLiteral("&Convert file from ZYN 1 to ZYN 2 format"));
    convert->setEnabled(true);
    combo1_->setEnabled(true);
    // A file of one table slot has no entries: there is nothing to move through, edit or type.
    const bool entries = session_.document().hasEntries();
    setNavigationEnabled(entries);
    setTypeMenuEnabled(session_.document().IsVersion2 && entries);
}

void frmText::showLoadedDocument() {
    const TextDocument& doc = session_.document();
    combo2_->clear();
    for (int i = 0; i < doc.entryCount(); ++i)
        combo2_->addItem(QString::number(i + 1));
    setDocumentLoadedState();
    updateTitle();
    if (!doc.hasEntries()) {
        setCaptions({}, {});
        setBackground(TitlePicture);
    } else if (!doc.IsVersion2) {
        setBackground(Zyn1Picture);
    }
    // The session makes entry 0 current next, which shows it.
}

void frmText::showVersion() {
    const TextDocument& doc = session_.document();
    setTypeMenuEnabled(doc.IsVersion2 && doc.hasEntries());
    // The conversion is offered while the document is in the version it was opened in; after a
    // conversion (until it is undone) the item shows its designed caption, disabled.
    QAction* convert = menuItem("mnuFileConvertFile");
    const bool convertible = session_.convertible();
    convert->setEnabled(convertible);
    convert->setText(!convertible     ? ConvertCaption
                     : doc.IsVersion2 ? QStringLiteral("&Convert file from ZYN 2 to ZYN 1 format")
                                      : QStringLiteral("&Convert file from ZYN 1 to ZYN 2 format"));
    if (doc.hasEntries() && !doc.IsVersion2) {
        setBackground(Zyn1Picture);
        setFrontColor(DefaultFrontColor);
        SetType(session_.currentEntry());
    }
}

void frmText::updateTitle() {
    if (!session_.origin().FilePath.empty())
        setWindowTitle(fromNative(session_.windowTitle()));
}

void frmText::Form_Load(const QString& fileArgument) {
    ConvertCaption = menuItem("mnuFileConvertFile")->text();
    // Taken before a file named on the command line gives the window a title of its own.
    session_.setBaseCaption(windowTitle().toStdString());

    // The argument arrives whole, and file names may hold blanks, "?" and "*": each is taken.
    if (fileArgument.isEmpty() || !commandLineOpen(fileArgument))
        setNoDocumentState();

    placeWindow();
    fillCharacterSets();
    updateTitle();
    showRecentFiles();
}

void frmText::fillCharacterSets() {
    combo1_->clear();
    for (const CharacterSet& set : CharacterSets)
        combo1_->addItem(QString::fromLatin1(set.caption));
    combo1_->setCurrentIndex(WesternCharacterSetIndex);
    Combo1_Click();
}

void frmText::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    // The docks go with the window, and are remembered as they are.
    event->accept();
}

void frmText::Form_Unload(bool& cancel) {
    if (!askSaveChanges(session_, prompts_, this))
        cancel = true;
}

void frmText::mnuEditFindInArchive_Click() {
    auto* window = findChild<frmFindArchive*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new frmFindArchive(session_, prompts_, this);
    window->start();
}

void frmText::mnuEditGlossary_Click() {
    auto* window = findChild<frmGlossary*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new frmGlossary(session_.project(), prompts_, this);
    window->start();
}

void frmText::mnuViewCompare_Click() {
    auto* dialog = findChild<frmCompare*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new frmCompare(session_, prompts_, this);
    dialog->start();
}

void frmText::mnuFileExit_Click() {
    close();
}

void frmText::mnuHelpShortcuts_Click() {
    auto* window = findChild<frmShortcuts*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new frmShortcuts(*this);
    window->start();
}

void frmText::mnuHelpAbout_Click() {
    // A box of its own each time, not owned by this window: closing the main window leaves
    // open about boxes open.
    auto* about = new frmAbout(prompts_);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

} // namespace zyn
