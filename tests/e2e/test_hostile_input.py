"""Drawings, scripts and save targets made to hurt: blocks that insert themselves, each other or a chain that
doubles at each level; a script of 100,000 nested parentheses or without line ends; saves onto a .bak name, a
read-only file, a symbolic link. Each gets a clear message, the run ends, and nothing of the user's is lost."""
import os
import stat
import unittest

import ezdxf

from curvix_run import CurvixRun, SOURCE
from dxf_e2e import audit_problems

BLOCKS = os.path.join(SOURCE, "tests", "data", "blocks")
DRAW = "CIRCLE 0,0 5\nLINE 0,0 10,10\n\n"


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class RecursiveBlocks(CurvixRun):
    module = None
    CASES = {
        "self_insert.dxf": 'block "LOOP" inserts itself',
        "mutual_inserts.dxf": 'blocks insert each other: "PING" > "PONG" > "PING"',
        "doubling_chain.dxf": 'block "L40" expands to 1099511627776 entities',
    }

    def test_open_draw_extents_and_save(self):
        for name, message in self.CASES.items():
            with self.subTest(name):
                png, out = self.path(name + ".png"), self.path(name)
                r = self.run_curvix("ZOOM E\n\n", "--png", png, "-o", out, drawing=os.path.join(BLOCKS, name))
                self.assertEqual(r.returncode, 0, r.stderr[-2000:])
                self.assertIn(message, r.stderr)
                self.assertEqual(r.stderr.count(message), 1)
                self.assertGreater(os.path.getsize(png), 0)
                # The blocks are kept as they were: nothing of the drawing is dropped.
                doc = ezdxf.readfile(out)
                self.assertEqual(len(doc.blocks), len(ezdxf.readfile(os.path.join(BLOCKS, name)).blocks))
                self.assertEqual(len(doc.modelspace()), 2)

    def test_insert_of_a_drawing_file(self):
        for name, message in self.CASES.items():
            with self.subTest(name):
                out = self.path("with_" + name)
                src = os.path.join(BLOCKS, name)
                r = self.run_curvix(f"CIRCLE 0,0 1\nINSERT\n{src}\n5,5\n1\n1\n0\nZOOM E\n\n", "-o", out)
                self.assertEqual(r.returncode, 0, r.stderr[-2000:])
                self.assertIn(message, r.stdout)
                kinds = sorted(e.dxftype() for e in ezdxf.readfile(out).modelspace())
                self.assertEqual(kinds, ["CIRCLE", "INSERT"])


class HostileScripts(CurvixRun):
    module = None

    def test_deep_parentheses_and_endless_lines(self):
        deep = self.path("deep.scr")
        with open(deep, "w") as f:
            f.write("(" * 100000 + ")" * 100000 + "\nCIRCLE 0,0 1\n\n")
        r = self.run_script_file(deep, "-o", self.path("deep.dxf"))
        self.assertIn("lists nest more than 1000 levels deep", r.stdout + r.stderr)
        r = self.run_script_file("/dev/zero")
        self.assertNotEqual(r.returncode, 0)
        self.assertIn("line 1 of the script /dev/zero is longer than 1048576 characters", r.stderr)
        # A log that fills up says so once and the session goes on.
        r = self.run_curvix("CIRCLE 0,0 1\nCIRCLE 0,0 2\n\n", "--log", "/dev/full")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stderr.count("the log file cannot be written"), 1, r.stderr)


class SaveTargets(CurvixRun):
    module = None

    def save(self, target):
        return self.run_curvix(DRAW, "-o", target)

    def test_bak_target_read_only_and_link(self):
        bak = self.path("plan.bak")
        self.assertEqual(self.save(bak).returncode, 0)
        r = self.save(bak)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(len(ezdxf.readfile(bak).modelspace()), 2)

        ro = self.path("kept.dxf")
        self.assertEqual(self.save(ro).returncode, 0)
        os.chmod(ro, 0o444)
        before = read_bytes(ro)
        r = self.run_curvix(DRAW + "LINE 0,0 1,1\n\n", "-o", ro)
        self.assertNotEqual(r.returncode, 0)
        self.assertIn("read-only", r.stderr)
        self.assertEqual(read_bytes(ro), before)

        real = self.path("real.dxf")
        self.assertEqual(self.save(real).returncode, 0)
        os.chmod(real, 0o640)
        link = self.path("link.dxf")
        os.symlink("real.dxf", link)
        left = self.path("real.dxf.tmp-AbC123")  # what a killed save leaves
        open(left, "w").close()
        r = self.run_curvix(DRAW + "LINE 0,0 1,1\n\n", "-o", link)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertTrue(os.path.islink(link))
        self.assertEqual(len(ezdxf.readfile(real).modelspace()), 3)
        self.assertEqual(stat.S_IMODE(os.stat(real).st_mode), 0o640)
        self.assertFalse(os.path.exists(left))
        self.assertEqual(audit_problems(real), [])

    def test_new_file_follows_the_umask(self):
        old = os.umask(0o027)
        try:
            target = self.path("new.dxf")
            self.assertEqual(self.save(target).returncode, 0)
        finally:
            os.umask(old)
        self.assertEqual(stat.S_IMODE(os.stat(target).st_mode), 0o640)


if __name__ == "__main__":
    unittest.main()
