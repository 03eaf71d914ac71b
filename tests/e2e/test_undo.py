"""Undo and redo through the curvix program. The showcase script followed by UNDO All leaves the drawing of a new
session, and REDO gives the whole showcase back, file for file. Each of the 41 tools, run as its example lines
run it, is taken back by one U to exactly the drawing saved before it (REDO then lets the script go on as
written). The saved drawings are compared as text; the viewport record follows the screen, which undo leaves
where it is, so that one table is left out of the comparison."""
import os
import re
import unittest

from curvix_run import CurvixRun, SOURCE

SHOWCASE = os.path.join(SOURCE, "examples", "showcase.scr")

# The host's commands and the module's, as a script line starts them.
HOST = ("LINE PLINE RECTANG CIRCLE ARC ELLIPSE SPLINE 3DPOLY POINT TEXT MTEXT BLOCK INSERT HATCH BOUNDARY LAYER COLOR "
        "SETVAR ERASE MOVE SCALE MIRROR PEDIT OFFSET LIST ZOOM UCS PNGOUT ARX APPLOAD MENULOAD MENUUNLOAD MENUS "
        "WMFOUT WMFIN DIALOGDEMO SAVE SAVEAS QUIT U UNDO REDO ABOUT_CURVIX").split()
TOOLS = ("linkLine00 linkLine90 linkLineAuto FORMULA PLYH PLYH2 PLYH3 PL2OLD OLDPL2LW PLDD PLGXK PLCLOSE PLOPEN s2p "
         "p2s PLDF PLDJDF CHBJ PLOFFSET PLRNDArray QXTY txt2PL ZB2PL makeOutline INOFFSET R2V txwk CLIST ELLLIST "
         "ARCLIST PLLIST PLBH PLINT PLARR PLMAP4 PLBLENDS PLJD PLJD1 PLAFFECT plAffectMoveX plAffClick").split()
COMMANDS = {c.upper() for c in HOST + TOOLS}

# Tools the showcase does not run: the drawing they start from, and their lines (as the tools' own tests run them).
SHAPES = ("PLINE 0,0 10,0 10,0 20,5 30,0 30,0 0,0\n\n"
          "PLINE 0,20 40,20 40,40\n\n"
          "3DPOLY 0,50,0 10,60,5 20,50,10\n\n"
          "ELLIPSE C 60,10 70,10 4\n"
          "ARC 60,30 70,40 80,30\n"
          "LINE -5,5 45,5\n\n")
EXTRA = [
    ("linkLine00", "", "linkLine00 0,0 40,40\n"),
    ("linkLine90", "", "linkLine90 10,0 40,20\n"),
    ("PLYH2", "", "PLYH2 ALL\n\n"),
    ("PL2OLD", "", "PL2OLD ALL\n\n"),
    ("OLDPL2LW", "PL2OLD ALL\n\n", "OLDPL2LW ALL\n\n"),
    ("PLDD", "", "PLDD ALL\n\n"),
    ("PLCLOSE", "", "PLCLOSE ALL\n\n"),
    ("PLOPEN", "PLCLOSE ALL\n\n", "PLOPEN ALL\n\n"),
    ("ELLLIST", "", ';@file "e.xls"\nELLLIST ALL\n\nY\n\n'),
    ("ARCLIST", "", ';@file "a.xls"\nARCLIST ALL\n\n\n0\n'),
    ("PLJD", "", ';@file "x.xls"\nPLJD ALL\n\n3\n\n'),
    ("PLLIST", "", ';@file "p.xls"\nPLLIST 20,5\n\nY\n\nY\n'),  # the showcase asks for no marks: no change
]


def command_of(line):
    word = line.split(None, 1)[0] if line.strip() and not line.startswith(";") else ""
    return word.upper() if word.upper() in COMMANDS else None


def showcase_segments(lines):
    """(tool, first line, end line) of the first run of each tool in the showcase: from its command line up to
    the next command."""
    found, seen = [], set()
    starts = [i for i, l in enumerate(lines) if command_of(l)]
    for k, i in enumerate(starts):
        name = command_of(lines[i])
        tool = next((t for t in TOOLS if t.upper() == name), None)
        if not tool or tool in seen or any(tool == t for t, _, _ in EXTRA):
            continue
        seen.add(tool)
        found.append((tool, i, starts[k + 1] if k + 1 < len(starts) else len(lines)))
    return found


def without_viewport(text):
    return re.sub(r"\n  0\nTABLE\n  2\nVPORT\n.*?\n  0\nENDTAB\n", "\n", text, count=1, flags=re.S)


class UndoTest(CurvixRun):
    def saved(self, name):
        with open(self.path(name), encoding="utf-8") as f:
            return f.read()

    def assert_same_drawing(self, a, b, what):
        ta, tb = without_viewport(self.saved(a)), without_viewport(self.saved(b))
        if ta != tb:
            la, lb = ta.splitlines(), tb.splitlines()
            at = next((i for i, (x, y) in enumerate(zip(la, lb)) if x != y), min(len(la), len(lb)))
            self.fail(f"{what}: {a} and {b} differ from line {at + 1}: {la[at - 4:at + 4]} / {lb[at - 4:at + 4]}")

    def run_in_showcase_folder(self, script):
        os.makedirs(self.path("out"), exist_ok=True)
        os.symlink(os.path.join(SOURCE, "examples"), self.path("examples"))
        r = self.run_curvix(script)
        self.assertEqual(r.returncode, 0, r.stdout[-3000:] + r.stderr)
        return r.stdout

    def test_undo_all_empties_the_showcase_and_redo_gives_it_back(self):
        with open(SHOWCASE, encoding="utf-8") as f:
            showcase = f.read()
        self.output("SAVEAS new.dxf\n", load=None)
        out = self.run_in_showcase_folder(showcase + "\nSAVEAS full.dxf\nUNDO All\nSAVEAS empty.dxf\nREDO\n"
                                          "SAVEAS again.dxf\nREDO\n")
        self.assertIn("Everything has been undone.", out)
        self.assertIn("Nothing to redo.", out)  # the second REDO: everything was done again at once
        self.assert_same_drawing("new.dxf", "empty.dxf", "UNDO All")
        self.assert_same_drawing("full.dxf", "again.dxf", "REDO")
        self.assertGreater(self.saved("full.dxf").count("\n  0\n"), 7000)

    def test_one_u_takes_back_each_tool(self):
        with open(SHOWCASE, encoding="utf-8") as f:
            lines = f.read().split("\n")
        segments = showcase_segments(lines)
        script, cases = [], []
        pos = 0
        for tool, first, end in segments:
            script += lines[pos:first]
            script += [f"SAVEAS before_{tool}.dxf"] + lines[first:end] + ["U", f"SAVEAS after_{tool}.dxf", "REDO"]
            cases.append(tool)
            pos = end
        script += lines[pos:]
        script.append("ERASE ALL\n")
        for tool, setup, run in EXTRA:
            script.append(SHAPES + setup + f"SAVEAS before_{tool}.dxf\n" + run + f"U\nSAVEAS after_{tool}.dxf\n"
                          "ERASE ALL\n")
            cases.append(tool)
        self.assertEqual(sorted(cases), sorted(TOOLS))
        out = self.run_in_showcase_folder("\n".join(script))
        for tool in cases:
            with self.subTest(tool=tool):
                self.assertTrue(f"Undone: {tool}\n" in out, f"{tool} made no step")
                self.assert_same_drawing(f"before_{tool}.dxf", f"after_{tool}.dxf", tool)


if __name__ == "__main__":
    unittest.main()
