"""The Curvix module in the curvix program: link lines drawn, saved, reopened in a new run and followed when
their shapes move or grow; the reactor objects in the drawing as an independent reader sees them; the
language chosen in the registry; unloading and loading again."""
import unittest

import ezdxf
from ezdxf import recover

from curvix_run import MODULE, CurvixRun


class ModuleRun(CurvixRun):
    def fit_points(self, dxf):
        doc = ezdxf.readfile(dxf)
        return [[tuple(round(c, 6) for c in p)[:2] for p in s.fit_points] for s in doc.modelspace().query("SPLINE")]


class LinkLinesAcrossRuns(ModuleRun):
    def test_links_survive_saving_and_follow_moved_and_scaled_shapes(self):
        first = self.path("linked.dxf")
        r = self.run_curvix(
            "CIRCLE 0,0 10\n"
            "CIRCLE 100,0 10\n"
            "RECTANG 40,-60 60,-40\n"
            "linkLineAuto 10,0 90,0\n"
            "linkLineAuto 0,-10 40,-50\n",
            "-o", first)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("Curvix V1.10 loaded successfully.", r.stdout)  # English without a registry value
        self.assertIn("Curvix_eng.cuix", r.stdout)

        # What an independent reader sees: one reactor object per shape in CVX_DICT, each shape naming its own.
        doc, auditor = recover.readfile(first)
        self.assertFalse(auditor.has_errors, [e.message for e in auditor.errors])
        self.assertFalse(doc.audit().has_errors)
        links = doc.rootdict.get("CVX_DICT")
        self.assertIsNotNone(links)
        self.assertEqual(len(links), 3)
        reactor_handles = {obj.dxf.handle for _, obj in links.items()}
        for key, obj in links.items():
            self.assertRegex(key, r"^\{C-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{11}$")
            self.assertEqual(obj.dxftype().upper(), "LINKLINETONOTIFY")
            self.assertEqual(obj.dxf.owner, links.dxf.handle)
        shapes = [e for e in doc.modelspace() if e.dxftype() != "SPLINE"]
        self.assertEqual(len(shapes), 3)
        self.assertEqual({h for s in shapes for h in s.get_reactors()}, reactor_handles)
        classes = {c.dxf.name: c for c in doc.classes}
        self.assertEqual(classes["LinkLineToNotify"].dxf.app_name, "persreac")

        # A new run: the shapes change, the link ends go with them.
        second = self.path("moved.dxf")
        r = self.run_curvix(
            "MOVE 107.0710678,7.0710678\n\n0,0 20,30\n"  # the right circle, picked on its outline
            "SCALE 50,-60\n\n50,-50 2\n",                # the square, about its centre
            "-o", second, drawing=first)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(self.fit_points(second), [[(10, 0), (110, 30)], [(0, -10), (30, -50)]])
        doc, auditor = recover.readfile(second)
        self.assertFalse(auditor.has_errors)
        self.assertFalse(doc.audit().has_errors)


class Language(ModuleRun):
    def test_chinese_version_in_the_registry_gives_chinese_texts(self):
        with open(self.registry, "w", encoding="utf-8") as f:
            f.write("Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix]\n"
                    "\"ChineseVersion\"=dword:00000001\n")
        r = self.run_curvix("linkLine00 0,0 10,10\nPLYH\n", "-o", self.path("cn.dxf"))
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("Curvix V1.10 加载成功。", r.stdout)
        self.assertIn("请指定起点>>", r.stdout)
        self.assertIn("请指定终点>>", r.stdout)
        self.assertNotIn("loaded successfully", r.stdout)
        self.assertIn("Curvix_chn2010.cuix", r.stdout)  # the Chinese menu file


class Unloading(ModuleRun):
    def test_after_unloading_a_command_not_demand_loaded_is_unknown(self):
        r = self.run_curvix("ARX U Curvix_2012X64\nCVX_DEMOJM\n")
        self.assertNotEqual(r.returncode, 0)
        self.assertIn('Unknown command "CVX_DEMOJM"', r.stdout + r.stderr)

    def test_loading_again_brings_back_commands_and_the_links(self):
        out = self.path("again.dxf")
        r = self.run_curvix(
            "CIRCLE 0,0 10\n"
            "linkLineAuto 10,0 60,0\n"
            "ARX U Curvix_2012X64\n"
            f"ARX L {MODULE}\n"
            "MOVE 0,-10\n\n0,0 0,20\n",
            "-o", out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(r.stdout.count("Curvix V1.10 loaded successfully."), 2)
        self.assertEqual(self.fit_points(out), [[(10, 20), (60, 0)]])

    def test_a_demand_loaded_command_loads_the_module_again(self):
        out = self.path("demand.dxf")
        r = self.run_curvix("ARX U Curvix_2012X64\nlinkLine90 0,0 10,10\n", "-o", out)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(r.stdout.count("Curvix V1.10 loaded successfully."), 2)
        self.assertEqual(len(ezdxf.readfile(out).modelspace().query("SPLINE")), 1)


if __name__ == "__main__":
    unittest.main()
