// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Marks a text in a table for the translators; translated(context, text) looks it up where it
// is shown.
#define MODFLASH_TRANSLATABLE(context, text) text

namespace modflash {

// The core's texts for people (the verdict, the device line) in the user's language. The core
// holds no translations: a front end that has them installs its look-up once at start, before
// any other thread runs; without one, texts stay as written. The log's texts never pass here.
using TextLookup = std::string (*)(const char* context, const char* text);

// The user's locale groups digits with digitGroupSeparator ("." in German); texts as written
// group them with ",".
void setTextLookup(TextLookup lookup, std::string digitGroupSeparator = ",");

// What the installed look-up groups digits with.
const std::string& digitGroupSeparator();

// The text, translated by the installed look-up.
std::string translated(const char* context, const char* text);

// %1 to %9 in the text replaced by the arguments in one pass, so that an argument holding "%2"
// stays as it is. Translations may reorder the places.
std::string substituted(const std::string& text, const std::vector<std::string>& arguments);

} // namespace modflash
