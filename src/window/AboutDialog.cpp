// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AboutDialog.h"

#include "flashing/ToolEnvironment.h"
#include "window/BuildInfo.h"

#include <QProcessEnvironment>
#include <QRegularExpression>

namespace modflash {

AboutDialog::AboutDialog(const ResourceDirectory& resources, QWidget* parent)
    : QDialog(parent)
    , m_resources(resources)
    , m_buttons(QDialogButtonBox::Close) {
    layOut();
    askTool(QStringLiteral("avrdude"), {QStringLiteral("-?")}, QStringLiteral("version"));
    askTool(QStringLiteral("dfu-util"), {QStringLiteral("-V")}, QStringLiteral("dfu-util"));
    askTool(QStringLiteral("openocd"), {QStringLiteral("--version")}, QStringLiteral("Debugger"));
    showText();
}

AboutDialog::~AboutDialog() {
    for (auto& query : m_queries)
        query->disconnect(this);
}

void AboutDialog::layOut() {
    setWindowTitle(tr("About modflash"));
    m_text.setTextFormat(Qt::RichText);
    m_text.setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_text.setOpenExternalLinks(true);
    m_text.setWordWrap(true);
    m_layout.addWidget(&m_text);
    m_layout.addWidget(&m_buttons);
    setLayout(&m_layout);
    connect(&m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// The tool's version is the word after versionWord on the first line that holds it.
void AboutDialog::askTool(const QString& tool, const QStringList& arguments,
                          const QString& versionWord) {
    m_toolVersions[tool] = tr("asking\u2026");
    const auto path = m_resources.pathForResource(tool.toStdString());
    if (!path) {
        m_toolVersions[tool] = tr("not found");
        return;
    }
    auto query = std::make_unique<QProcess>();
    QProcessEnvironment environment;
    for (const auto& [name, value] : toolEnvironment(m_resources))
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    query->setProcessEnvironment(environment);
    query->setProcessChannelMode(QProcess::MergedChannels);
    connect(query.get(), &QProcess::finished, this, [this, tool, versionWord, p = query.get()] {
        const QString output = QString::fromUtf8(p->readAll());
        const QRegularExpression pattern(QRegularExpression::escape(versionWord) +
                                         QStringLiteral(",? +v?([0-9][0-9A-Za-z.+~-]*)"));
        const auto match = pattern.match(output);
        m_toolVersions[tool] = match.hasMatch() ? match.captured(1) : tr("unknown");
        showText();
    });
    connect(query.get(), &QProcess::errorOccurred, this, [this, tool](QProcess::ProcessError) {
        m_toolVersions[tool] = tr("cannot be run");
        showText();
    });
    query->start(QString::fromStdString(*path), arguments, QIODevice::ReadOnly);
    m_queries.push_back(std::move(query));
}

void AboutDialog::showText() {
    const QUrl web(QStringLiteral("https://%1/").arg(BuildInfo::helpUrl().host()));
    QString tools;
    for (const auto& [tool, version] : m_toolVersions)
        tools += QStringLiteral("%1 %2<br>").arg(tool, version.toHtmlEscaped());
    m_text.setText(
        tr("<h2>modflash %1</h2><p>Updates the firmware of modules built on AVR and STM32 "
           "chips.</p><p>Build date: %2<br>Qt %3</p><p>Flashing tools:<br>%4</p><p>Licensed "
           "under the GNU General Public License, version 3 or (at your option) any later "
           "version (GPL-3.0-or-later).</p><p><a href=\"%5\">%5</a></p>")
            .arg(BuildInfo::version(), BuildInfo::buildDate(), QString::fromLatin1(qVersion()),
                 tools, web.toString()));
}

} // namespace modflash
