#include "app/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace cvx::app {

const char* usageText() {
    return "usage: curvix [DRAWING.dxf] [--script FILE.scr] [-o OUT.dxf [--dxf-version V]] [--png OUT.png [--size WxH]]\n"
           "              [--svg OUT.svg] [--pdf OUT.pdf [--paper P] [--plot-scale S] [--plot-window X1,Y1,X2,Y2]]\n"
           "              [--log FILE] [--load MODULE]... [--window [--grab OUT.png]]\n"
           "\n"
           "Opens the drawing (a new one when none is named or the file does not exist), runs the script or,\n"
           "without one, reads commands typed at the terminal (\"Command: \"), then writes what was asked:\n"
           "  -o, --output OUT.dxf   save the drawing as a DXF file\n"
           "  --dxf-version V        the file version -o writes: 2000, 2004, 2007, 2010, 2013 or 2018 (also\n"
           "                         AC1015 ... AC1032); by default the version the drawing was read in\n"
           "  --png OUT.png          draw the current view into a PNG picture\n"
           "  --svg OUT.svg          draw the current view into an SVG picture\n"
           "  --size WxH             picture size in pixels (default 1024x768)\n"
           "  --pdf OUT.pdf          plot the current view (or --plot-window) on one page of a PDF\n"
           "  --paper P              the PDF's paper: A0..A4 (landscape; A4,portrait) or WxH mm (default A4)\n"
           "  --plot-scale S         1:100 (a paper millimetre for 100 drawing units), 2:1, ...; default: fit\n"
           "  --plot-window X1,Y1,X2,Y2  the part of the drawing the PDF shows\n"
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

int dxfVersionNamed(const std::string& given) {
    std::string n;
    for (char c : given) n += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (n.size() > 1 && n[0] == 'R' && n[1] >= '0' && n[1] <= '9') n.erase(0, 1);
    static const struct {
        const char *year, *ac;
        int version;
    } kVersions[] = {{"2000", "AC1015", 15}, {"2004", "AC1018", 18}, {"2007", "AC1021", 21},
                     {"2010", "AC1024", 24}, {"2013", "AC1027", 27}, {"2018", "AC1032", 32}};
    for (const auto& v : kVersions)
        if (n == v.year || n == v.ac) return v.version;
    return 0;
}

bool paperNamed(const std::string& given, double& width, double& height) {
    std::string n;
    for (char c : given) n += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    bool portrait = false;
    if (size_t comma = n.find(','); comma != std::string::npos) {
        std::string turn = n.substr(comma + 1);
        if (turn != "PORTRAIT" && turn != "LANDSCAPE") return false;
        portrait = turn == "PORTRAIT";
        n.erase(comma);
    }
    static const struct {
        const char* name;
        double w, h;
    } kPapers[] = {{"A0", 1189, 841}, {"A1", 841, 594}, {"A2", 594, 420}, {"A3", 420, 297}, {"A4", 297, 210}};
    bool found = false;
    for (const auto& p : kPapers)
        if (n == p.name) width = p.w, height = p.h, found = true;
    if (!found) {
        size_t x = n.find('X');
        if (x == std::string::npos) return false;
        char* end = nullptr;
        width = std::strtod(n.c_str(), &end);
        if (end != n.c_str() + x) return false;
        height = std::strtod(n.c_str() + x + 1, &end);
        if (*end || !(width >= 10 && width <= 5000 && height >= 10 && height <= 5000)) return false;
    }
    if (portrait) std::swap(width, height);
    return true;
}

bool plotScaleNamed(const std::string& text, double& unitsPerMm) {
    char* end = nullptr;
    double a = std::strtod(text.c_str(), &end);
    double b = 1;
    if (*end == ':') {
        const char* rest = end + 1;
        b = std::strtod(rest, &end);
        if (end == rest) return false;
        unitsPerMm = b / a;  // a paper millimetres for b drawing units
    } else {
        unitsPerMm = a;
    }
    return *end == 0 && std::isfinite(unitsPerMm) && unitsPerMm > 0 && a > 0 && b > 0;
}

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
        } else if (a == "--dxf-version") {
            std::string v;
            if (!value(v)) return std::nullopt;
            o.dxfVersion = dxfVersionNamed(v);
            if (!o.dxfVersion) {
                error = "--dxf-version takes 2000, 2004, 2007, 2010, 2013 or 2018, not '" + v + "'";
                return std::nullopt;
            }
        } else if (a == "--png") {
            if (!value(o.png)) return std::nullopt;
        } else if (a == "--svg") {
            if (!value(o.svg)) return std::nullopt;
        } else if (a == "--pdf") {
            if (!value(o.pdf)) return std::nullopt;
        } else if (a == "--paper") {
            std::string v;
            if (!value(v)) return std::nullopt;
            if (!paperNamed(v, o.paperWidth, o.paperHeight)) {
                error = "--paper takes A0..A4 (A3,portrait) or WIDTHxHEIGHT in mm (10..5000), not '" + v + "'";
                return std::nullopt;
            }
        } else if (a == "--plot-scale") {
            std::string v;
            if (!value(v)) return std::nullopt;
            if (!plotScaleNamed(v, o.unitsPerMm)) {
                error = "--plot-scale takes 1:100, 2:1 or a number of drawing units per mm, not '" + v + "'";
                return std::nullopt;
            }
        } else if (a == "--plot-window") {
            std::string v;
            if (!value(v)) return std::nullopt;
            double* c = o.windowCorners;
            char tail = 0;
            if (std::sscanf(v.c_str(), "%lf,%lf,%lf,%lf%c", &c[0], &c[1], &c[2], &c[3], &tail) != 4 ||
                !std::isfinite(c[0] + c[1] + c[2] + c[3]) || (c[0] == c[2] && c[1] == c[3])) {
                error = "--plot-window takes two corners X1,Y1,X2,Y2, not '" + v + "'";
                return std::nullopt;
            }
            o.plotWindow = true;
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
