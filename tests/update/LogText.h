#pragma once

#include <QString>

namespace modflash {

// The texts the log must show, written out here rather than taken from the code under test.
namespace LogText {
inline const QString beginning = QStringLiteral("BEGINNING UPDATE\n");
inline const QString success = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
inline const QString error = QStringLiteral("ERROR DURING UPDATE\n");
inline const QString failureNotes = QStringLiteral(
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n"
    "      If your download did not complete, please ensure your module\n"
    "      is in Bootloader/DFU mode as per the instructions\n"
    "      and/or try another USB cable.\n\n");
} // namespace LogText

} // namespace modflash
