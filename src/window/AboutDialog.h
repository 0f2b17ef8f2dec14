// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/ResourceDirectory.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

#include <map>
#include <memory>
#include <vector>

namespace modflash {

// Help > About modflash: modflash's version and build date, the Qt it runs on, the versions of
// the avrdude, dfu-util and openocd it runs (asked of the tools themselves, without holding up
// the window), its licence and its web address.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    AboutDialog(const ResourceDirectory& resources, QWidget* parent = nullptr);
    ~AboutDialog() override;

    QString text() const { return m_text.text(); }

private:
    void layOut();
    void askTool(const QString& tool, const QStringList& arguments, const QString& versionWord);
    void showText();

    ResourceDirectory m_resources;
    QVBoxLayout m_layout;
    QLabel m_text;
    QDialogButtonBox m_buttons;
    std::map<QString, QString> m_toolVersions; // "…" until the tool has answered
    std::vector<std::unique_ptr<QProcess>> m_queries;
};

} // namespace modflash
