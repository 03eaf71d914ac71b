// The curvix program's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cvx::app {

struct Options {
    std::string drawing;  // empty: a new drawing
    std::string script;   // empty: commands from the terminal
    std::string output, png, svg, log;
    std::vector<std::string> modules;  // --load, in order
    int width = 1024, height = 768;
    bool sizeGiven = false;
    int dxfVersion = 0;  // --dxf-version (one of AcDb::AcDbDwgVersion); 0: the version the drawing was read in
    bool help = false;
};

// Null and a message for a command line that does not make sense.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();
// The version a name stands for ("2000", "2018", "R2010", "AC1027", ...); 0 for none the writer has.
int dxfVersionNamed(const std::string& name);

}  // namespace cvx::app
