"""Modules loaded into curvix: messages, commands, demand loading, menu loading through queued expressions,
locking, and the module's objects when it goes away and comes back."""
import os
import shutil
import subprocess
import unittest

import ezdxf

from curvix_run import BINARY_DIR, CURVIX, CurvixRun

MODULE = os.path.join(BINARY_DIR, "modules", "hello_module.so")


class Modules(CurvixRun):
    module = None  # the runs name the test module themselves

    def test_load_messages_commands_menus_and_unload(self):
        out = self.output("HELLO\nMENUS\nARX Unload hello_module\nARX ?\n", "--load", MODULE)
        lines = out.splitlines()
        # init, then the open drawing; the module knows its own path while it loads.
        self.assertEqual(lines[0], "hello_module: message 1")
        self.assertIn("hello_module: my path is " + os.path.realpath(MODULE), out)
        self.assertEqual(lines[2], "hello_module: message 3")
        self.assertIn("Hello from the module.", out)
        # The queued menu load found the menu file beside the module through a path with doubled backslashes,
        # and menucmd put POP1 on the bar.
        self.assertIn("Menu group HELLO loaded.", out)
        self.assertIn('P1=HELLO.POP1 "Hello"', out)
        # Unloading: the drawing is left, then the module.
        tail = out[out.index("Module to unload"):]
        self.assertLess(tail.index("message 4"), tail.index("message 2"))
        self.assertIn("No modules are loaded.", tail)

    def test_a_module_and_its_menu_in_a_folder_named_in_chinese(self):
        folder = self.path("模块 café")
        os.mkdir(folder)
        for name in os.listdir(os.path.dirname(MODULE)):
            if name.startswith("hello"):
                shutil.copy(os.path.join(os.path.dirname(MODULE), name), folder)
        module = os.path.join(folder, "hello_module.so")
        out = self.output("HELLO\nARX Unload hello_module\nARX ?\n", "--load", module)
        self.assertIn("hello_module: my path is " + os.path.realpath(module), out)
        self.assertIn("Menu group HELLO loaded.", out)
        self.assertIn("Hello from the module.", out)
        self.assertIn("No modules are loaded.", out)
        self.output("", "--load", module)  # the demand-load entries in the registry name the folder
        self.assertIn("Hello from the module.", self.output("HELLO\n"))

    def test_a_locked_module_stays(self):
        out = self.output("HELLOLOCK\nARX Unload hello_module.so\nHELLO\n", "--load", MODULE)
        self.assertIn("is locked and cannot be unloaded", out)
        self.assertIn("Hello from the module.", out)

    def test_demand_loading_runs_the_typed_command(self):
        self.output("", "--load", MODULE)  # writes the demand-load entries
        out = self.output("HELLO\n")
        self.assertIn("hello_module: message 1", out)
        self.assertLess(out.index("hello_module: message 1"), out.index("Hello from the module."))
        r = subprocess.run([CURVIX, "--load", self.path("none.so")], capture_output=True,
                           text=True, env=self.env, timeout=60)
        self.assertEqual(r.returncode, 2)
        self.assertIn("not found", r.stderr)

    def test_objects_outlive_their_module_and_come_back(self):
        saved = self.path("with_object.dxf")
        self.output("HELLOOBJ 42\nARX Unload hello_module\n", "--load", MODULE, "-o", saved)
        # Saved after the unload: the object and its class entry are still in the file, data intact.
        doc = ezdxf.readfile(saved)
        self.assertIn("HELLOOBJ", [c.dxf.name for c in doc.classes])
        data = doc.rootdict["HELLO_DATA"]
        self.assertEqual(data.dxftype(), "HELLOOBJ")
        with open(saved) as f:
            text = f.read()
        self.assertIn("HelloObject\n 90\n42\n", text)
        # Opened before the module is loaded, the object becomes the module's again on load.
        out = self.output("HELLOSHOW\nARX Unload hello_module\nARX Load " + MODULE + "\nHELLOSHOW\n",
                          saved, "--load", MODULE)
        self.assertEqual(out.count("HelloObject 42"), 2, out)


if __name__ == "__main__":
    unittest.main()
