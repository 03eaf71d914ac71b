#include "app/options.h"

#include <cstdlib>

namespace cvx::app {

const char* usageText() {
    return "usage: curvix [DRAWING.dxf] [--script FILE.scr] [-o OUT.dxf] [--png OUT.png [--size WxH]]\n"
           "              [--svg OUT.svg] [--log FILE] [--load MODULE]... [--window [--grab OUT.png]]\n"
           "\n"
           "Opens the drawing (a new one when none is named or the file does not exist), runs the script or,\n"
           "without one, reads commands typed at the terminal (\"Command: \"), then writes what was asked:\n"
           "  -o, --output OUT.dxf   save the drawing as a DXF file\n"
           "  --png OUT.png          draw the current view into a PNG picture\n"
           "  --svg OUT.svg          draw the current view into an SVG picture\n"
           "  --size WxH             picture size in pixels (default 1024x768)\n"
           "  --script FILE.scr      answers to the command line, as a script file\n"
           "  --log FILE             also append everything printed to FILE\n"
           "  --load MODULE          load a module after the drawing is opened (repeatable, in order)\n"
           "  --window               show the drawing in a window with menus, a command line and the mouse\n"
           "  --grab OUT.png         (with --window and --script) a picture of the window after the script\n"
           "  -h, --help             show this text\n"
           "After a script error (unknown command, an answer that does not fit its prompt) the program stops with\n"
           "a message naming the script line, writes nothing, and exits with status 1.\n";
}

namespace {

bool parseSize(const std::string& s, int& w, int& h) {
    size_t x = s.find_first_of("xX");
    if (x == std::string::npos) return false;
    char* end = nullptr;
    long a = std::strtol(s.c_str(), &end, 10);
    if (end != s.c_str() + x) return false;
    long b = std::strtol(s.c_str() + x + 1, &end, 10);
    if (*end || a < 1 || b < 1 || a > 16384 || b > 16384) return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--script") {
            if (!value(o.script)) return std::nullopt;
        } else if (a == "-o" || a == "--output") {
            if (!value(o.output)) return std::nullopt;
        } else if (a == "--png") {
            if (!value(o.png)) return std::nullopt;
        } else if (a == "--svg") {
            if (!value(o.svg)) return std::nullopt;
        } else if (a == "--window") {
            o.window = true;
        } else if (a == "--grab") {
            if (!value(o.grab)) return std::nullopt;
        } else if (a == "--log") {
            if (!value(o.log)) return std::nullopt;
        } else if (a == "--load") {
            std::string m;
            if (!value(m)) return std::nullopt;
            o.modules.push_back(m);
        } else if (a == "--size") {
            std::string s;
            if (!value(s)) return std::nullopt;
            if (!parseSize(s, o.width, o.height)) {
                error = "--size needs WIDTHxHEIGHT in pixels (1..16384), not '" + s + "'";
                return std::nullopt;
            }
            o.sizeGiven = true;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else if (o.drawing.empty()) {
            o.drawing = a;
        } else {
            error = "only one drawing can be opened (got '" + o.drawing + "' and '" + a + "')";
            return std::nullopt;
        }
    }
    if (!o.grab.empty() && !o.window) {
        error = "--grab needs --window";
        return std::nullopt;
    }
    return o;
}

}  // namespace cvx::app
