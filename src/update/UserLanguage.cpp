// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UserLanguage.h"

#include "flashing/TextLookup.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace modflash {

UserLanguage::UserLanguage(const QLocale& locale) {
    // Both are looked up by the locale's UI languages (LANGUAGE before LANG), so "de_AT" finds
    // "de" as well.
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
    if (m_own.load(locale, QStringLiteral("modflash"), QStringLiteral("_"),
                   QStringLiteral(":/i18n")))
        m_ownInstalled = QCoreApplication::installTranslator(&m_own);
    // The core's texts too, through the same translators, with the locale's digits. Texts left
    // in English keep English digits.
    if (m_ownInstalled)
        setTextLookup(
            [](const char* context, const char* text) {
                return QCoreApplication::translate(context, text).toStdString();
            },
            locale.groupSeparator().toStdString());
}

UserLanguage::~UserLanguage() {
    if (m_ownInstalled) {
        setTextLookup(nullptr);
        QCoreApplication::removeTranslator(&m_own);
    }
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
}

} // namespace modflash
