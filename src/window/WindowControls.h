// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QWidget;

namespace modflash {

class LogTextView;

// The window's controls as the delegate sees them: references that never own and that turn
// empty when the window destroys a control. The window lays them out; nobody else does.
struct WindowControls {
    QPointer<QWidget> window;
    QPointer<QComboBox> productList;
    QPointer<QComboBox> versionList;
    QPointer<QPushButton> updateButton;
    QPointer<QPushButton> stopButton;
    QPointer<LogTextView> logTextField;
    QPointer<QTabWidget> tabView;
    QPointer<QTextBrowser> instructionsView;
    QPointer<QLabel> versionLabel;
    QPointer<QComboBox> avrProgrammerSelector;
    QPointer<QComboBox> stlinkProgrammerSelector;
    QPointer<QCheckBox> factoryFirmwareEnable;
    QPointer<QCheckBox> massEraseBeforeProgramming;
    QPointer<QCheckBox> checkModuleBeforeWriting;
    QPointer<QLabel> imageLine;
    QPointer<QPushButton> helpButton;
    QPointer<QAction> helpAction;
    QPointer<QAction> userGuideAction;
    QPointer<QLabel> deviceLine;
    QPointer<QProgressBar> progressBar;
    QPointer<QLabel> bannerLabel;
    QPointer<QPushButton> copyLogButton;
    QPointer<QPushButton> saveLogButton;
    QPointer<QAction> saveLogAction;
    QPointer<QAction> aboutAction;
    QPointer<QMenuBar> menuBar;
    // What the feed says of the selected release, and of itself.
    QPointer<QLabel> releaseLine;
    QPointer<QToolButton> releaseNotesButton;
    QPointer<QPlainTextEdit> releaseNotes;
    QPointer<QLabel> feedLine;
    QPointer<QAction> checkFeedAction;
    QPointer<QAction> openFirmwareFolderAction;
    QPointer<QAction> clearCacheAction;
};

} // namespace modflash
