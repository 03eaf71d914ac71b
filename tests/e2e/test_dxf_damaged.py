"""Damaged drawings and failing saves through curvix: a clear message naming the line and the reason, a non-zero
status, and no file written or replaced; a good save over a file keeps the old one as NAME.bak and leaves nothing
else behind. The message for each kind of damage is checked in tests/unit/dxf/test_damaged.cpp."""
import os
import random
import unittest

import ezdxf

from curvix_run import CurvixRun
from dxf_e2e import run

DRAW = "CIRCLE 0,0 5\nLINE 0,0 10,10\n\n"
ADD_LINE = "LINE 0,0 1,1\n\n"


class Folder(CurvixRun):
    def setUp(self):
        super().setUp()
        self.good = self.path("good.dxf")
        r = run(DRAW, "-o", self.good)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        with open(self.good) as f:
            self.lines = f.read().split("\n")

    def listing(self):
        return sorted(os.listdir(self.dir.name))


class DamagedInput(Folder):
    def write(self, name, lines):
        p = self.path(name)
        with open(p, "w") as f:
            f.write("\n".join(lines))
        return p

    def value_line(self, code):
        """The index of the first value of the group code in the ENTITIES section (0-based)."""
        start = self.lines.index("ENTITIES")
        return next(i for i in range(start, len(self.lines), 1) if self.lines[i].strip() == code and
                    (i - start) % 2 == 1) + 1

    def check_refused(self, drawing, message):
        out = self.path("out.dxf")
        before = self.listing()
        r = run(ADD_LINE, "-o", out, drawing=drawing)
        self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
        self.assertRegex(r.stderr, message)
        self.assertEqual(self.listing(), before, "nothing is written")
        # An output file already there is left as it was, without a backup.
        with open(out, "w") as f:
            f.write("keep me")
        r = run(ADD_LINE, "-o", out, drawing=drawing)
        self.assertEqual(r.returncode, 1)
        with open(out) as f:
            self.assertEqual(f.read(), "keep me")
        self.assertFalse(os.path.exists(self.path("out.bak")))
        os.unlink(out)

    def test_cut_short(self):
        radius = self.value_line("40")
        p = self.write("cut.dxf", self.lines[:radius])
        self.check_refused(p, rf"cut\.dxf: line {radius}: the file ends after group code 40 without its value")
        p = self.write("half.dxf", self.lines[:len(self.lines) // 3])
        self.check_refused(p, r"half\.dxf: line \d+: the file ends ")

    def test_binary_junk_gives_a_printable_message(self):
        # Decoding stderr as UTF-8 (text=True) fails if the message copies bytes that are not UTF-8; control
        # characters would garble a terminal.
        p = self.path("junk.dxf")
        with open(p, "wb") as f:
            f.write(b"\x00\x1b[2J" + bytes(random.Random(7).randrange(256) for _ in range(4000)))
        self.check_refused(p, r"junk\.dxf: line 1: expected a group code, found '\\x00\\x1B\[2J")
        with open(p, "wb") as f:  # files of 2007 and later are UTF-8 and are not converted from a code page
            f.write(b"  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  0\nENDSEC\n\xff\xfe\xe4\xb8\xad\n")
        self.check_refused(p, r"line 11: expected a group code, found '\\xFF\\xFE中'")
        with open(p, "wb") as f:
            f.write(b"")
        self.check_refused(p, r"line 1: the file is empty")

    def test_folder_and_named_pipe(self):
        folder = self.path("folder.dxf")
        os.mkdir(folder)
        self.check_refused(folder, r"cannot open '.*folder\.dxf': it is a folder")
        pipe = self.path("pipe.dxf")
        os.mkfifo(pipe)
        self.check_refused(pipe, r"cannot open '.*pipe\.dxf': it is not a regular file")  # and does not wait


class AtomicSave(Folder):
    def save(self, script, out, drawing=None):
        return run(script, "-o", out, drawing=drawing)

    def read(self, p):
        with open(p, "rb") as f:
            return f.read()

    def test_saving_over_a_file_keeps_it_as_bak(self):
        old = self.read(self.good)
        r = self.save(ADD_LINE, self.good, drawing=self.good)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(self.read(self.path("good.bak")), old)
        self.assertEqual(len(ezdxf.readfile(self.good).modelspace()), 3)
        self.assertEqual(self.listing(), ["good.bak", "good.dxf"], "no temporary file is left")
        # The next save replaces the backup with the file it overwrites.
        second = self.read(self.good)
        self.assertEqual(self.save(ADD_LINE, self.good, drawing=self.good).returncode, 0)
        self.assertEqual(self.read(self.path("good.bak")), second)
        self.assertEqual(self.listing(), ["good.bak", "good.dxf"])

    def test_a_new_file_has_no_backup_and_keeps_a_readable_mode(self):
        out = self.path("new.dxf")
        self.assertEqual(self.save(ADD_LINE, out).returncode, 0)
        self.assertEqual(self.listing(), ["good.dxf", "new.dxf"])
        self.assertEqual(os.stat(out).st_mode & 0o777, 0o644)
        os.chmod(self.good, 0o600)
        self.assertEqual(self.save(ADD_LINE, self.good).returncode, 0)
        self.assertEqual(os.stat(self.good).st_mode & 0o777, 0o600, "the replaced file's mode is kept")

    def test_saving_into_a_missing_folder_or_under_a_file_fails(self):
        for target in (self.path("missing/out.dxf"), self.path("good.dxf/out.dxf")):
            r = self.save(ADD_LINE, target)
            self.assertEqual(r.returncode, 1, target)
            self.assertIn("cannot write " + target, r.stderr)
            self.assertEqual(self.listing(), ["good.dxf"])

    def test_a_failing_save_leaves_the_old_file(self):
        old = self.read(self.good)
        os.mkdir(self.path("good.bak"))  # the backup cannot be made
        r = self.save(ADD_LINE, self.good, drawing=self.good)
        self.assertEqual(r.returncode, 1)
        self.assertIn("cannot keep the previous file", r.stderr)
        self.assertEqual(self.read(self.good), old)
        self.assertEqual(self.listing(), ["good.bak", "good.dxf"])
        self.assertEqual(os.listdir(self.path("good.bak")), [])

    def test_a_folder_is_not_replaced_by_a_save(self):
        folder = self.path("plans.dxf")
        os.mkdir(folder)
        r = self.save(ADD_LINE, folder)
        self.assertEqual(r.returncode, 1)
        self.assertIn("it is a folder", r.stderr)
        self.assertTrue(os.path.isdir(folder))
        self.assertEqual(self.listing(), ["good.dxf", "plans.dxf"])

    def test_saveas_in_a_script_keeps_a_backup_too(self):
        old = self.read(self.good)
        r = run(ADD_LINE + f"SAVEAS {self.good}\n")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("Saved " + self.good, r.stdout)
        self.assertEqual(self.read(self.path("good.bak")), old)
        self.assertEqual(self.listing(), ["good.bak", "good.dxf"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
