#include "support/Fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Glob.h"
#include "core/ResetState.h"

namespace fs = std::filesystem;

void KestrilonTest::SetUp() {
    ResetAllState();
    std::string Pattern = (fs::temp_directory_path() / "kestrilon-test-XXXXXX").string();
    char* Made = mkdtemp(Pattern.data());
    ASSERT_NE(Made, nullptr) << "cannot create a temporary program folder";
    TempDir = Made;
    Glob.ProgramDir = TempDir;
}

void KestrilonTest::TearDown() {
    if (!TempDir.empty()) {
        std::error_code ec;
        fs::remove_all(TempDir, ec);
    }
    Glob.ProgramDir.clear();
}

std::string KestrilonTest::InDir(const std::string& Name) const { return TempDir + "/" + Name; }

std::string KestrilonTest::WriteFile(const std::string& Name, const std::string& Content) const {
    const std::string Path = InDir(Name);
    std::error_code ec;
    fs::create_directories(fs::path(Path).parent_path(), ec);
    std::ofstream f(Path, std::ios::binary | std::ios::trunc);
    f << Content;
    return Path;
}

std::string KestrilonTest::ReadFile(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    if (!f) return {};
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}
