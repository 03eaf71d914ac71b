"""Shared by the drawing-file tests: running curvix and asking an independent reader (ezdxf) about its files."""
import collections
import os
import subprocess
import tempfile

from ezdxf import recover

from curvix_run import CURVIX


def run(script_text, *args, drawing=None, timeout=120, folder=None):
    """Runs curvix on the drawing (if any) with the script, written to a file in the folder (the system's
    temporary folder by default); returns the finished process."""
    with tempfile.NamedTemporaryFile("w", suffix=".scr", delete=False, dir=folder, encoding="utf-8") as f:
        f.write(script_text)
        script = f.name
    cmd = [CURVIX] + ([drawing] if drawing else []) + ["--script", script] + list(args)
    try:
        return subprocess.run(cmd, capture_output=True, text=True, timeout=timeout)
    finally:
        os.unlink(script)


def audit_problems(path):
    """What ezdxf's recovering reader and its audit find wrong with the file (empty when nothing)."""
    doc, auditor = recover.readfile(path)
    found = [f"recover error {e.code}: {e.message}" for e in auditor.errors]
    found += [f"recover fix {e.code}: {e.message}" for e in auditor.fixes]
    audit = doc.audit()
    found += [f"audit error {e.code}: {e.message}" for e in audit.errors]
    found += [f"audit fix {e.code}: {e.message}" for e in audit.fixes]
    return found


def entity_counts(doc):
    """Entities per type in every layout and block (paper space included)."""
    counts = collections.Counter()
    for block in doc.blocks:
        counts.update(e.dxftype() for e in block)
    return counts


def entity_handles(doc):
    return {e.dxf.handle for block in doc.blocks for e in block}


def file_handles(path):
    """Every handle the file itself gives out (groups 5 and 105 after the header), read from its text."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    pairs = [(lines[i].strip(), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]
    after_header = pairs[pairs.index(("0", "ENDSEC")):]
    return {value for code, value in after_header if code in ("5", "105")}
