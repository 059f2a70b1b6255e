#pragma once

#include <cstdio>
#include <string>
#include <vector>

// What the reader needs of the system it runs on; one implementation per system.
namespace vf::reader {

// Readies the process before libmdb is used: numbers formatted with '.', text converted to
// UTF-8, nothing from the player's environment changing how a file is read, and standard
// output written byte for byte.
void prepareReaderProcess();

// The channel the rows go out on: the process's standard output as it was when it started.
// Standard output itself is pointed at standard error, so that whatever libmdb prints there
// counts as a complaint and never mixes into the rows. Called once, before libmdb runs.
std::FILE* takeRowsChannel();

// The command line's arguments as file names libmdb can open (on Windows the names are
// taken from the wide command line, so that any letter in a folder's name works).
std::vector<std::string> readerArguments(int argc, char** argv);

} // namespace vf::reader
