// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>

namespace modflash {

// The program's texts and Qt's own in the user's language, for as long as the object lives.
// The program's translations are built in, so a copy run from anywhere finds them; Qt's come
// from where Qt keeps them, when it has them. English, the texts' own language, needs none.
class UserLanguage {
public:
    explicit UserLanguage(const QLocale& locale = QLocale::system());
    ~UserLanguage();
    UserLanguage(const UserLanguage&) = delete;
    UserLanguage& operator=(const UserLanguage&) = delete;

    // Whether the program's own texts are translated for the locale.
    bool active() const { return m_ownInstalled; }

private:
    QTranslator m_qt;
    QTranslator m_own;
    bool m_qtInstalled = false;
    bool m_ownInstalled = false;
};

} // namespace modflash
