#pragma once

#include "network/network.h"

#include <string>

// The command line's tables for scripts and spreadsheets, in CSV (RFC 4180) and in JSON: every
// number in the shortest form that reads back as the same double.
namespace network {

// The pipe catalogue, one pipe a row.
std::string pipesCsv();
// A computed network's segments, one a row, with their verdicts' codes.
std::string calcCsv(const Network& network, const Result& result);
// The same network's segments and nodes as one JSON document.
std::string calcJson(const Network& network, const Result& result);

} // namespace network
