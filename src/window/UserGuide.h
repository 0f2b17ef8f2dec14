// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace modflash {

// Help > User Guide: the guide's pages, built into the program from the same files that are
// installed as its documentation, so that it is there without a network or a web browser. It
// speaks the window's language where the guide has it. Links between pages stay in the viewer
// (with Back and Forward, also on Alt+Left and Alt+Right); any other link goes to openExternal.
class UserGuide : public QDialog {
    Q_OBJECT

public:
    explicit UserGuide(std::function<void(const QUrl&)> openExternal, QWidget* parent = nullptr);

    // The contents page in the language of the window's texts, else in English.
    static QUrl contentsPage();
    // Shows the guide beside the window, modeless, so that its steps can be followed there.
    void present();
    QUrl source() const { return m_browser.source(); }

private:
    void layOut();
    void connectSignals();
    void follow(const QUrl& link);

    std::function<void(const QUrl&)> m_openExternal;
    QVBoxLayout m_layout;
    QHBoxLayout m_buttonRow;
    QTextBrowser m_browser;
    QPushButton m_back;
    QPushButton m_forward;
    QPushButton m_contents;
    QDialogButtonBox m_close;
};

} // namespace modflash
