// The files of a fuzz corpus folder (tests/data/<topic>/corpus), for tests that replay
// every kept input through the reader its fuzz target drives.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct TCorpusFile {
    std::string Name;   // file name without the folder
    std::string Bytes;  // whole content
};

// Every regular file of KESTRILON_TEST_DATA/<Topic>/corpus, in name order.
std::vector<TCorpusFile> CorpusFiles(const std::string& Topic);

// Runs Entry on the bytes of every corpus file, each from the start-up state
// (ResetAllState) with ProgramDir set to ProgramFolder; failures name the file.
// Returns the number of files.
size_t ReplayCorpus(const std::string& Topic, const std::string& ProgramFolder,
                    const std::function<void(const std::string& Bytes)>& Entry);
