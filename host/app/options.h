// The curvix program's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cvx::app {

struct Options {
    std::string drawing;  // empty: a new drawing
    std::string script;   // empty: commands from the terminal
    std::string output, png, svg, pdf, log;
    // --pdf: the paper (millimetres, landscape A4 by default), the scale (drawing units per millimetre, 0 to
    // fit) and the window (x1, y1, x2, y2; none: the current view).
    double paperWidth = 297, paperHeight = 210, unitsPerMm = 0;
    bool plotWindow = false;
    double windowCorners[4] = {};
    std::vector<std::string> modules;  // --load, in order
    int width = 1024, height = 768;
    bool sizeGiven = false;
    int dxfVersion = 0;  // --dxf-version (one of AcDb::AcDbDwgVersion); 0: the version the drawing was read in
    bool help = false;
    bool window = false;   // --window: the drawing in a window, prompts on its command line
    std::string grab;      // --grab: a picture of the window once the script has run
};

// Null and a message for a command line that does not make sense.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();
// The version a name stands for ("2000", "2018", "R2010", "AC1027", ...); 0 for none the writer has.
int dxfVersionNamed(const std::string& name);
// A paper by name (A0 ... A4, landscape; "portrait" after a comma turns it) or as WIDTHxHEIGHT millimetres.
bool paperNamed(const std::string& name, double& width, double& height);
// A plot scale as "1:100" (a millimetre of paper for 100 drawing units), "100" or "2:1".
bool plotScaleNamed(const std::string& text, double& unitsPerMm);

}  // namespace cvx::app
