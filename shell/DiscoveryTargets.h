#pragma once
// Where the machine search sends its datagrams, from "Info.ini" [Search] Destinations: a list of
// IPv4 addresses, each with an optional ":port", separated by commas or blanks (for example
// "127.0.0.1:61213, 127.0.0.2"). Unset or empty, the search goes to the local network's
// broadcast address as processors expect; the key lets the search page find an emulator on this
// machine.

#include "comm/DeviceLink.h"

#include <QString>

#include <vector>

inline constexpr const char* kSearchSection = "Search";
inline constexpr const char* kSearchDestinationsKey = "Destinations";

// The valid entries of the text in order; malformed entries are left out.
std::vector<comm::DeviceLinkOptions::Endpoint> ParseDiscoveryTargets(const QString& text);

// The library's options with the search destinations of that "Info.ini".
comm::DeviceLinkOptions DeviceLinkOptionsFromIni(const QString& infoIniPath);
