// Fixture of the command-line tests: a temporary program folder with a "ComSet.cfg"
// giving a few commands aliases, and the harness started on it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/CmdHarness.h"
#include "support/Fixture.h"

class CmdTest : public KestrilonTest {
protected:
    // Aliases: LINE "L", CIRCLE "C" (written in small letters), DIST "DI", POINT "B",
    // PRINT "PR"; RECTANGLE has none.
    static const char* const DefaultComSet;

    void TearDown() override;
    // Writes ComSet (unless empty) and starts the harness.
    void Start(const std::string& ComSet = DefaultComSet);
    // Types each line with Enter.
    void Run(const std::vector<std::string>& Lines);
    // Log texts written since the last Mark(), without the undo bookkeeping lines.
    void Mark();
    std::vector<std::string> NewLog() const;

    std::unique_ptr<TCmdHarness> H;

private:
    size_t LogMark = 0;
};
