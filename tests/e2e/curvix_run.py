"""Running curvix in an end-to-end test, in a temporary folder and with a registry file of the test's own.

Usage: derive the test class from CurvixRun (`from curvix_run import CurvixRun, MODULE, SOURCE`). Each test gets
self.dir (a fresh folder; self.path(name) names a file in it) and self.registry (its registry file, so no run sees
the user's settings). self.run_curvix(script_text, *args, drawing=None, load=MODULE, env=None) writes the script
to run.scr there and runs curvix in that folder with the Curvix module loaded (load=None or `module = None` on the
class: no module); args go on the command line as they are ("-o", self.path("out.dxf")), env adds variables, and
the finished process comes back. self.output(...) is the same for a run that must succeed and returns what it
printed; self.run_script_file(path, ...) runs an existing script (SOURCE/examples/...). A fixture made once for a
class calls run_curvix(folder, registry, script_text, ...). CTest names the program and the folders in the
environment (CURVIX, CVX_SOURCE_DIR, CVX_BINARY_DIR), so this works from any build folder.
"""
import os
import subprocess
import tempfile
import unittest

CURVIX = os.path.abspath(os.environ["CURVIX"]) if "CURVIX" in os.environ else "curvix"
SOURCE = os.environ.get("CVX_SOURCE_DIR", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
BINARY_DIR = os.environ.get("CVX_BINARY_DIR", os.path.dirname(os.path.abspath(CURVIX)))
MODULE = os.path.join(BINARY_DIR, "Curvix_2012X64.arx")
TIMEOUT = 600
FOLDER_PREFIX = "曲线工作_café-"


def run_script_file(folder, registry, script_file, *args, drawing=None, load=MODULE, env=None):
    """Runs curvix in the folder on the script file, the registry file standing for the user's registry."""
    cmd = [CURVIX] + ([drawing] if drawing else []) + ["--script", script_file]
    cmd += (["--load", load] if load else []) + list(args)
    environment = dict(os.environ, CURVIX_REGISTRY=registry, **(env or {}))
    return subprocess.run(cmd, capture_output=True, text=True, timeout=TIMEOUT, env=environment, cwd=folder)


def run_curvix(folder, registry, script_text, *args, **options):
    """run_script_file on the text, written to run.scr in the folder."""
    script_file = os.path.join(folder, "run.scr")
    with open(script_file, "w", encoding="utf-8") as f:
        f.write(script_text)
    return run_script_file(folder, registry, script_file, *args, **options)


class CurvixRun(unittest.TestCase):
    module = MODULE  # what the runs load unless told otherwise; None in a class that loads its own

    def setUp(self):
        # A folder named as a user here would name it: every file a run asks for, writes or prints lives
        # under a name that is not plain ASCII.
        self.dir = tempfile.TemporaryDirectory(prefix=FOLDER_PREFIX)
        self.registry = self.path("registry.reg")
        self.env = dict(os.environ, CURVIX_REGISTRY=self.registry)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def run_curvix(self, script_text, *args, **options):
        options.setdefault("load", self.module)
        return run_curvix(self.dir.name, self.registry, script_text, *args, **options)

    def run_script_file(self, script_file, *args, **options):
        options.setdefault("load", self.module)
        return run_script_file(self.dir.name, self.registry, script_file, *args, **options)

    def output(self, script_text, *args, **options):
        """What curvix prints running the script, which must succeed."""
        r = self.run_curvix(script_text, *args, **options)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        return r.stdout
