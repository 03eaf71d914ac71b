"""Real drawings (the library of the librecad-data package) opened in curvix and saved: ezdxf counts the same
entities of every type in the saved file as in the original, and its audit finds nothing new on a sample."""
import collections
import concurrent.futures
import os
import subprocess
import tempfile
import unittest

import ezdxf

from dxf_e2e import CURVIX, audit_problems, entity_counts

LIBRARY = "/usr/share/librecad/library"
STEP = 6  # every sixth drawing: a few hundred of them, different ones from the unit test's
AUDIT_EVERY = 8


def library_files():
    found = []
    for folder, _, names in os.walk(LIBRARY):
        found += [os.path.join(folder, n) for n in names if n.endswith(".dxf")]
    return sorted(found)[1::STEP]


def problem_codes(path):
    return collections.Counter(p.split(":")[0] for p in audit_problems(path))


def check(job):
    """Opens and saves one drawing; returns (source, what went wrong or None, whether it was audited)."""
    index, source, out_dir = job
    try:
        before = entity_counts(ezdxf.readfile(source))
    except ezdxf.DXFError:
        return source, None, False  # a file the reference does not read is no measure
    saved = os.path.join(out_dir, f"{index}.dxf")
    r = subprocess.run([CURVIX, source, "-o", saved], input="", capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        return source, f"curvix failed: {r.stderr.strip()}", False
    after = entity_counts(ezdxf.readfile(saved))
    if after != before:
        diff = {t: (before[t], after[t]) for t in set(before) | set(after) if before[t] != after[t]}
        return source, f"entity counts (original, saved) differ: {diff}", False
    if index % AUDIT_EVERY:
        return source, None, False
    new = problem_codes(saved) - problem_codes(source)
    return source, (f"the audit of the saved file finds {dict(new)}" if new else None), True


@unittest.skipUnless(os.path.isdir(LIBRARY), "librecad-data is not installed")
class LibraryDrawings(unittest.TestCase):
    def test_open_and_save_keeps_every_entity(self):
        files = library_files()
        self.assertGreater(len(files), 150)
        with tempfile.TemporaryDirectory() as out_dir:
            jobs = [(i, f, out_dir) for i, f in enumerate(files)]
            with concurrent.futures.ProcessPoolExecutor(max_workers=2) as pool:
                results = list(pool.map(check, jobs, chunksize=8))
        faults = [f"{source}: {why}" for source, why, _ in results if why]
        self.assertEqual(faults, [])
        self.assertGreater(sum(audited for _, _, audited in results), 20)


if __name__ == "__main__":
    unittest.main(verbosity=2)
