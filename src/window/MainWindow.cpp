// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/MainWindow.h"

#include "ui_MainWindow.h"
#include "window/DesktopIdentity.h"

#include <QScreen>
#include <QScrollArea>
#include <QWindow>

namespace modflash {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::MainWindow>()) {
    m_ui->setupUi(this);
    fitIntoScreen();
    nameControlsForAssistiveTechnologies();
    showWholeProductTitles();
    // Title bars, docks and task switchers show it, also before the program is installed.
    setWindowIcon(DesktopIdentity::icon());
    connectSignals();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectSignals() {
    // Quitting goes through close(), so whoever watches the window's close event sees it.
    connect(m_ui->quitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::fitIntoScreen() {
    // The designed size is in device-independent pixels: at a scale factor of 2, or on a small
    // screen, it can exceed the screen, and a window larger than the screen cannot be moved
    // or resized into view. It opens inside the screen's free area instead, frame included
    // once the frame is known, and the person may make it that small again.
    const QScreen* display = screen();
    if (!display)
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize room = display->availableGeometry().size().shrunkBy(frame);
    // Squeezed below what its layout needs, the controls would overlap: they scroll instead.
    if (minimumSizeHint().boundedTo(room) != minimumSizeHint())
        letContentsScroll();
    setMinimumSize(minimumSize().boundedTo(room));
    resize(size().boundedTo(room));
}

void MainWindow::letContentsScroll() {
    if (qobject_cast<QScrollArea*>(centralWidget()))
        return;
    auto* area = new QScrollArea(this); // the window owns it as its central widget
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(takeCentralWidget());
    setCentralWidget(area);
}

void MainWindow::showEvent(QShowEvent* event) {
    // The frame is known once the window is about to show.
    fitIntoScreen();
    QMainWindow::showEvent(event);
}

void MainWindow::nameControlsForAssistiveTechnologies() {
    // Buttons, check boxes and the preference lists take their names from their texts and
    // labels; these controls have neither, or a label that says less than the name.
    m_ui->productList->setAccessibleName(tr("Product"));
    m_ui->versionList->setAccessibleName(tr("Firmware version"));
    m_ui->instructionsView->setAccessibleName(tr("Instructions"));
    m_ui->tabView->setAccessibleName(tr("Instructions and log"));
    m_ui->progressBar->setAccessibleName(tr("Update progress"));
    m_ui->releaseNotes->setAccessibleName(tr("Release notes"));
    // The two status lines are read by their text, so a change of it is heard as a new name;
    // the description says what the line is about.
    m_ui->bannerLabel->setAccessibleDescription(tr("Update status"));
    m_ui->deviceLine->setAccessibleDescription(tr("Device status"));
    m_ui->feedLine->setAccessibleDescription(tr("Firmware feed status"));
}

void MainWindow::showWholeProductTitles() {
    // The side panel cuts long titles in the box; its tip tells the whole chosen one.
    connect(m_ui->productList, &QComboBox::currentTextChanged, m_ui->productList,
            &QWidget::setToolTip);
}

WindowControls MainWindow::controls() {
    WindowControls controls;
    controls.window = this;
    controls.productList = m_ui->productList;
    controls.versionList = m_ui->versionList;
    controls.updateButton = m_ui->updateButton;
    controls.stopButton = m_ui->stopButton;
    controls.logTextField = m_ui->logTextField;
    controls.tabView = m_ui->tabView;
    controls.instructionsView = m_ui->instructionsView;
    controls.versionLabel = m_ui->versionLabel;
    controls.avrProgrammerSelector = m_ui->avrProgrammerSelector;
    controls.stlinkProgrammerSelector = m_ui->stlinkProgrammerSelector;
    controls.factoryFirmwareEnable = m_ui->factoryFirmwareEnable;
    controls.massEraseBeforeProgramming = m_ui->massEraseBeforeProgramming;
    controls.checkModuleBeforeWriting = m_ui->checkModuleBeforeWriting;
    controls.imageLine = m_ui->imageLine;
    controls.helpButton = m_ui->helpButton;
    controls.helpAction = m_ui->helpAction;
    controls.userGuideAction = m_ui->userGuideAction;
    controls.deviceLine = m_ui->deviceLine;
    controls.progressBar = m_ui->progressBar;
    controls.bannerLabel = m_ui->bannerLabel;
    controls.copyLogButton = m_ui->copyLogButton;
    controls.saveLogButton = m_ui->saveLogButton;
    controls.saveLogAction = m_ui->saveLogAction;
    controls.aboutAction = m_ui->aboutAction;
    controls.menuBar = m_ui->menuBar;
    controls.releaseLine = m_ui->releaseLine;
    controls.releaseNotesButton = m_ui->releaseNotesButton;
    controls.releaseNotes = m_ui->releaseNotes;
    controls.feedLine = m_ui->feedLine;
    controls.checkFeedAction = m_ui->checkFeedAction;
    controls.openFirmwareFolderAction = m_ui->openFirmwareFolderAction;
    controls.clearCacheAction = m_ui->clearCacheAction;
    return controls;
}

} // namespace modflash
