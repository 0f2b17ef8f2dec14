// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/UserGuide.h"

#include <QFile>

namespace modflash {

UserGuide::UserGuide(std::function<void(const QUrl&)> openExternal, QWidget* parent)
    : QDialog(parent)
    , m_openExternal(std::move(openExternal))
    , m_close(QDialogButtonBox::Close) {
    layOut();
    connectSignals();
}

QUrl UserGuide::contentsPage() {
    // The guide follows the window's texts: each translation names the folder of its guide, so
    // the rule that picks the texts picks the pages. A language without pages reads English.
    const QString language = tr("en", "folder of the user guide in this language, data/guide/*");
    const QString page = QStringLiteral(":/guide/%1/index.html").arg(language);
    return QUrl(QStringLiteral("qrc") +
                (QFile::exists(page) ? page : QStringLiteral(":/guide/en/index.html")));
}

void UserGuide::layOut() {
    setWindowTitle(tr("modflash User Guide"));
    // Wide enough for the udev rule's lines, which do not wrap.
    resize(780, 600);
    m_browser.setAccessibleName(tr("User guide page"));
    m_browser.setOpenLinks(false);
    m_back.setText(tr("&Back"));
    m_back.setShortcut(QKeySequence::Back);
    m_forward.setText(tr("&Forward"));
    m_forward.setShortcut(QKeySequence::Forward);
    m_contents.setText(tr("C&ontents"));
    m_back.setEnabled(false);
    m_forward.setEnabled(false);
    m_buttonRow.addWidget(&m_back);
    m_buttonRow.addWidget(&m_forward);
    m_buttonRow.addWidget(&m_contents);
    m_buttonRow.addStretch();
    m_buttonRow.addWidget(&m_close);
    m_layout.addWidget(&m_browser);
    m_layout.addLayout(&m_buttonRow);
    setLayout(&m_layout);
    // Reading comes first; the buttons follow the page's links.
    setTabOrder(&m_browser, &m_back);
    setTabOrder(&m_back, &m_forward);
    setTabOrder(&m_forward, &m_contents);
    setTabOrder(&m_contents, &m_close);
}

void UserGuide::connectSignals() {
    connect(&m_browser, &QTextBrowser::anchorClicked, this, &UserGuide::follow);
    connect(&m_browser, &QTextBrowser::backwardAvailable, &m_back, &QWidget::setEnabled);
    connect(&m_browser, &QTextBrowser::forwardAvailable, &m_forward, &QWidget::setEnabled);
    connect(&m_back, &QPushButton::clicked, &m_browser, &QTextBrowser::backward);
    connect(&m_forward, &QPushButton::clicked, &m_browser, &QTextBrowser::forward);
    connect(&m_contents, &QPushButton::clicked, this,
            [this] { m_browser.setSource(contentsPage()); });
    connect(&m_close, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void UserGuide::present() {
    // Opened again, the guide shows the page it was left on.
    if (m_browser.source().isEmpty())
        m_browser.setSource(contentsPage());
    show();
    raise();
    activateWindow();
    m_browser.setFocus();
}

void UserGuide::follow(const QUrl& link) {
    const QUrl target = m_browser.source().resolved(link);
    if (target.scheme() == QLatin1String("qrc"))
        m_browser.setSource(target);
    else
        m_openExternal(target);
}

} // namespace modflash
