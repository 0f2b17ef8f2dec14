#pragma once

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

// "\nUpdating <title> firmware with command:\n<launch path> <arguments joined by spaces>\n"
std::string updateHeader(const std::string& title, const UpdateTask& task);

} // namespace LogTexts

} // namespace modflash
