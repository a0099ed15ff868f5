// The suite-wide cleanup behind CProduct::FinishRemoval: what the products of the suite share,
// removed once none of them is left in a partition (the partition's share) or on the machine
// (the whole suite).
#pragma once

#include <initializer_list>

#include "product/product.h"

// Where the removed product's installation lies; every text is non-null ("" when unknown) but
// the server name, which is null when it could not be read.
struct SuiteLocations {
    const char* partition;
    const char* programDir;
    const char* notesDataDir;
    const char* databaseDir;
    const char* notesDir;
    const char* notesIni;
    const char* folderLocation;
    const char* uninstallKey;
    const char* serverName;
};

// The last product of one partition went while other partitions still hold the suite.
void RemovePartitionShare(const CProduct& product, const SuiteLocations& where);
// The last product of the suite went.
void RemoveWholeSuite(CProduct& product, const SuiteLocations& where);
// The suite's web pages in the Domino data directory, a step of both cleanups.
void RemoveWebDirectory(const char* notesDataDir);

// Deletes the files of dir matching each pattern in turn.
void DeleteEachMatching(const char* dir, std::initializer_list<const char*> patterns);

// One entry of a notes.ini list variable ("*": the whole variable).
struct IniListEntry {
    const char* variable;
    const char* entry;
};
// Takes each entry out of the server's notes.ini, section "Notes", in turn.
void RemoveIniEntries(const char* notesIni, std::initializer_list<IniListEntry> entries);
