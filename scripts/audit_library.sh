#!/usr/bin/env bash
# Compares, entity for entity, how curvix and an independent reader (ezdxf) read every drawing of the
# librecad-data library, and prints the table of differences. Usage: scripts/audit_library.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build-test}"
CVX_AUDIT_ALL=1 "$build/test_dxf" --gtest_filter='ForeignAudit.*' | sed -n '/^drawings /,/^\[/p' | sed '$d'
