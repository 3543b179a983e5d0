// Fixture of the command-line tests: a temporary program folder with a "ComSet.cfg"
// giving a few commands aliases, and the harness started on it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

struct TObjHeader;

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

    // Starts the harness with layer 1 shown and Ops contour operations (status 0).
    void StartWithContours(int Ops);
    // A line or a rectangle outline on layer 1 appended to the drawing, optionally selected.
    static TObjHeader* AddLine(Osy S, Osy E, bool Selected);
    static TObjHeader* AddRect(Osy A, Osy B, bool Selected);
    // The sources and paths of operation Op; the drawing list in order.
    static std::vector<TObjHeader*> Parents(int Op);
    static std::vector<TObjHeader*> Childs(int Op);
    static std::vector<TObjHeader*> Drawing();

    std::unique_ptr<TCmdHarness> H;

private:
    size_t LogMark = 0;
};
