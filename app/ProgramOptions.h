#pragma once
#include "app/OnlineOptions.h"

#include <string>
#include <vector>

// The program's command line, read here and nowhere else: "DEBUG" as the first argument switches on the
// collision outlines and the pixel probe, "--help" and "--version" are answered without a window, "--mute"
// starts without sound, "--demo" lets the computer race both dinghies until a key, and the online race has its
// own options (TOnlineOptions).
struct TProgramOptions {
    enum TRequest { Play, Help, Version } Request = Play;
    bool Debug = false;
    bool Mute = false;
    bool Demo = false;
    TOnlineOptions Online;
};

// The arguments after the program's name as the program was given them, Qt's own among them: read before Qt
// starts, so help and version need no display. Only the exact first argument counts as DEBUG; the first of
// "--help" and "--version" wins wherever it stands (no option takes a value that begins with "--"), and so
// do "--mute" and "--demo". Raises nothing: Qt's own arguments are not known yet.
TProgramOptions ReadProgramOptions(const std::vector<std::string>& given);

// The online race's options, from the arguments Qt has left, less the program's own "--mute" and "--demo".
// Raises std::invalid_argument with a message for the player, as ParseOnlineOptions does, and for a demo
// with an online race, where no computer steers.
void ReadOnlineOptions(TProgramOptions& options, const std::vector<std::string>& left);

// What "--version" prints: the program's name and version.
std::string VersionText();
