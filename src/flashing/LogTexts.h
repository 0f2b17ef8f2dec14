// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace modflash {

struct UpdateTask;

// The update log's own texts. People and scripts that read the log rely on them to the
// character, so they stay exactly as they are.
namespace LogTexts {

inline constexpr const char* beginning = "BEGINNING UPDATE\n";
inline constexpr const char* success = "UPDATE COMPLETED SUCCESSFULLY\n";
inline constexpr const char* error = "ERROR DURING UPDATE\n";
inline constexpr const char* firstDfuNote =
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n";
inline constexpr const char* secondDfuNote =
    "      If your download did not complete, please ensure your module\n"
    "      is in Bootloader/DFU mode as per the instructions\n"
    "      and/or try another USB cable.\n\n";

// The same two notes for modules that have no DFU mode: the AVR modules, which the programmer
// reaches through their ISP header, and the SWD modules, which the probe reaches through theirs.
inline constexpr const char* firstAvrNote =
    "\nIMPORTANT\nNOTE: avrdude did not finish writing the module. Check that the ISP cable\n"
    "      sits on the module's header with its red stripe on pin 1, and that the\n"
    "      module's own supply is switched on: the programmer does not power it.\n\n";
inline constexpr const char* secondAvrNote =
    "      If avrdude did not find the programmer, choose the programmer you\n"
    "      connected in the preferences\n"
    "      and/or try another USB cable.\n\n";
inline constexpr const char* firstSwdNote =
    "\nIMPORTANT\nNOTE: openocd did not finish writing the module. Check that the SWD cable\n"
    "      sits on the module's SWD header, and that the module is powered.\n\n";
inline constexpr const char* secondSwdNote =
    "      If openocd did not find the probe, choose the ST-Link probe you\n"
    "      connected in the preferences\n"
    "      and/or try another USB cable.\n\n";
inline constexpr const char* checkingModule = "\nChecking the module with command:\n";
inline constexpr const char* stoppedBeforeWriting =
    "\nIMPORTANT\nNOTE: The update was stopped while the module was being checked.\n"
    "      Nothing was written to the module.\n\n";

inline constexpr const char* stoppedWhileDownloading =
    "\nIMPORTANT\nNOTE: The update was stopped while the firmware was being downloaded.\n"
    "      Nothing was written to the module.\n\n";

// "\nIMPORTANT\nNOTE: The module check failed, so nothing was written to the module:\n"
// followed by the reason, indented, and a blank line.
std::string moduleCheckFailed(const std::string& reason);

// Before the module check and the write: the tools are given a private copy of the image,
// so that what they write is exactly what was checked, whatever becomes of the file meanwhile.
// "\nImage checked: <path>\nThe tool writes a private copy of exactly the checked bytes.\n"
std::string imageChecked(const std::string& path);

// A feed release is downloaded first: "\nDownloading firmware:\n<url>\n", and once its bytes
// are verified "Verified: <size> bytes, SHA-256 <hex>\n".
std::string downloading(const std::string& url);
std::string downloadVerified(std::uint64_t size, const std::string& sha256);

// "\nUpdating <title> firmware with command:\n<launch path> <arguments joined by spaces>\n"
std::string updateHeader(const std::string& title, const UpdateTask& task);

} // namespace LogTexts

} // namespace modflash
