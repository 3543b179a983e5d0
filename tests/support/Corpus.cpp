#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Glob.h"
#include "core/ResetState.h"

std::vector<TCorpusFile> CorpusFiles(const std::string& Topic) {
    namespace fs = std::filesystem;
    std::vector<TCorpusFile> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(std::string(KESTRILON_TEST_DATA) + "/" + Topic + "/corpus", ec)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        files.push_back({e.path().filename().string(), ss.str()});
    }
    std::sort(files.begin(), files.end(), [](const TCorpusFile& a, const TCorpusFile& b) { return a.Name < b.Name; });
    return files;
}

size_t ReplayCorpus(const std::string& Topic, const std::string& ProgramFolder,
                    const std::function<void(const std::string& Bytes)>& Entry) {
    const std::vector<TCorpusFile> files = CorpusFiles(Topic);
    for (const TCorpusFile& f : files) {
        SCOPED_TRACE(Topic + "/corpus/" + f.Name);
        ResetAllState();
        Glob.ProgramDir = ProgramFolder;
        Entry(f.Bytes);
    }
    return files.size();
}
