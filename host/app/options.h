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
    bool help = false;
    bool window = false;   // --window: the drawing in a window, prompts on its command line
    std::string grab;      // --grab: a picture of the window once the script has run
};

// Null and a message for a command line that does not make sense.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();

}  // namespace cvx::app
