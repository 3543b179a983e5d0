// Base fixture of every test: start-up state of all globals and a fresh,
// empty program folder (set as ProgramDir) that is removed afterwards.
#pragma once
#include <gtest/gtest.h>

#include <string>

class KestrilonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary program folder (no trailing slash).
    const std::string& Dir() const { return TempDir; }
    // Dir() + "/" + Name.
    std::string InDir(const std::string& Name) const;
    // Writes Content to Dir()/Name (folders created); returns the full path.
    std::string WriteFile(const std::string& Name, const std::string& Content) const;
    // The whole content of a file, empty when missing.
    static std::string ReadFile(const std::string& Path);

private:
    std::string TempDir;
};
