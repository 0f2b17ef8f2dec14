// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/WindowControls.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace modflash {

// The application's one window, built from MainWindow.ui. It owns and lays out the controls;
// what they do is the delegate's business.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowControls controls();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void connectSignals();
    void fitIntoScreen();
    void letContentsScroll();
    void nameControlsForAssistiveTechnologies();
    void showWholeProductTitles();

    std::unique_ptr<Ui::MainWindow> m_ui;
};

} // namespace modflash
