"""Prints the table of a benchmark run (Google Benchmark JSON) and checks the targets.

Each operation BM_<op>/<n> is shown beside BM_Baseline_<op>/<n>: nanoseconds per parameter, their
ratio, and the growth of the cost per parameter from 10,000 to 1,000,000 parameters. The sample
provider (BM_Provider*), its drawing in the host (BM_Drawing*) and the desktop palette
(BM_Palette*) have sections of their own. Only the targets of what was measured are printed; exits
with 0 when every one of them holds, with 1 otherwise (a benchmark that failed counts as a target
not met).
"""

import json
import sys

RATIO_LIMIT = 3.0  # at 1,000,000 parameters, against the baseline
GROWTH_LIMIT = 4.0  # per parameter, 1,000,000 against 10,000
APPEND_RATIO_LIMIT = 2.0  # KxArray append against std::vector::push_back
BYTES_LIMIT = 320.0  # heap bytes per registered parameter
SMALL, LARGE = 10000, 1000000

# The sample provider: per affected parameter, growth from 10,000 to 100,000 (the same bound as the
# library's own rows); times of one operation on a chain, in milliseconds; heap bytes per parameter
# of a built drawing.
PROVIDER_GROWTH_LIMIT = 4.0
PROVIDER_SMALL, PROVIDER_LARGE = 10000, 100000
PROVIDER_MS_LIMITS = {
    ("Build", "Chain", 2000): 200.0,
    ("RootEdit", "Chain", 2000): 10.0,
    ("LeafEdit", "Chain", 2000): 1.0,
    ("Build", "Chain", 100000): 1500.0,
    ("RootEdit", "Chain", 100000): 300.0,
    ("LeafEdit", "Chain", 100000): 0.2,
}
PROVIDER_BYTES_LIMIT = 2048.0

# The provider's drawing in the host, at 100,000 parameters: saving and opening each within a
# second, at most 2 KiB of file per parameter; undo and redo of a root edit each at most twice the
# edit (made as a command) in the same run; the history of 100 root edits within its bound.
DRAWING_SMALL, DRAWING_LARGE = 10000, 100000
DRAWING_MS_LIMITS = {"Save": 1000.0, "Open": 1000.0}
DRAWING_FILE_BYTES_LIMIT = 2048.0
DRAWING_UNDO_RATIO_LIMIT = 2.0
DRAWING_SHAPES = ("Chain", "Fan", "Dag")

# The desktop palette, beside the silent one: 100,000 parameters load into the window within a
# second, and a root edit that changes them all costs at most this many times the silent edit.
PALETTE_LOAD_MS_LIMIT = 1000.0
PALETTE_EDIT_RATIO_LIMIT = 3.0
# Sorted by value, every row may move: the edit and its repaint stay within half a second.
PALETTE_SORTED_MS_LIMIT = 500.0
PALETTE_LARGE = 100000
# An edit that the drawing shows, with the view painting after it: no dearer with 100 times the
# parameters that it does not show, within the machine's noise.
PALETTE_DRAWING_GROWTH_LIMIT = 1.5


def load(path):
    with open(path, encoding="utf-8") as file:
        text = file.read()
    # A program whose filter matched none of its benchmarks leaves its output empty.
    runs = json.loads(text)["benchmarks"] if text.strip() else []
    results = {}
    errors = []
    for run in runs:
        if run.get("run_type", "iteration") != "iteration":
            continue
        parts = run["name"].split("/")
        name, n = parts[0], int(parts[1])
        if run.get("error_occurred"):
            errors.append(f"{name}/{n}: {run.get('error_message', 'error')}")
            continue
        results[(name, n)] = run
    return results, errors


def provider_key(name):
    """BM_ProviderRootEdit<Shape::kChain> gives ("RootEdit", "Chain")."""
    operation, _, shape = name[len("BM_Provider"):].partition("<")
    return operation, shape.rstrip(">").replace("Shape::k", "")


def print_table(header, rows, left):
    widths = [max(len(str(row[i])) for row in rows + [header]) for i in range(len(header))]
    def line(row):
        return "  ".join(str(cell).ljust(widths[i]) if i in left else str(cell).rjust(widths[i])
                         for i, cell in enumerate(row)).rstrip()
    print(line(header))
    print(line(["-" * width for width in widths]))
    for row in rows:
        print(line(row))
    print()


def provider_table(results):
    failures = []
    rows = []
    names = []
    grown = weighed = False
    for name, _ in results:
        if name.startswith("BM_Provider") and name not in names:
            names.append(name)
    for name in names:
        operation, shape = provider_key(name)
        for n in sorted(size for key, size in results if key == name):
            run = results[(name, n)]
            cost = run["ns_per_item"]
            growth = None
            if n == PROVIDER_LARGE and (name, PROVIDER_SMALL) in results:
                growth = cost / results[(name, PROVIDER_SMALL)]["ns_per_item"]
            notes = []
            limit = PROVIDER_MS_LIMITS.get((operation, shape, n))
            if limit is not None and run["ms_per_op"] > limit:
                notes.append(f"time > {limit:g} ms")
            if growth is not None and growth > PROVIDER_GROWTH_LIMIT:
                notes.append(f"growth > {PROVIDER_GROWTH_LIMIT:g}")
            bytes_per = run.get("bytes_per_item")
            bytes_checked = n == PROVIDER_LARGE and bytes_per is not None
            if bytes_checked and bytes_per > PROVIDER_BYTES_LIMIT:
                notes.append(f"bytes > {PROVIDER_BYTES_LIMIT:g}")
            grown = grown or growth is not None
            weighed = weighed or bytes_checked
            checked = limit is not None or growth is not None or bytes_checked
            failures += [f"{operation} {shape}/{n}: {note}" for note in notes]
            rows.append((
                f"{operation} {shape}",
                f"{n:,}",
                f"{run['ms_per_op']:.3f}",
                f"{run['affected']:,.0f}",
                f"{cost:.0f}",
                f"{growth:.2f}" if growth is not None else "",
                f"{bytes_per:.0f}" if bytes_per is not None else "",
                ("FAIL: " + ", ".join(notes)) if notes else ("ok" if checked else ""),
            ))
    if rows:
        print_table(("provider operation", "n", "ms/op", "affected", "ns/affected", "growth",
                     "bytes/param", "targets"), rows, (0, 7))
        # Only the targets that some row was checked against.
        targets = []
        if grown:
            targets.append(f"growth per affected parameter <= {PROVIDER_GROWTH_LIMIT:g} from "
                           f"{PROVIDER_SMALL:,} to {PROVIDER_LARGE:,}")
        measured = [(op, n, ms) for (op, shape, n), ms in PROVIDER_MS_LIMITS.items()
                    if (f"BM_Provider{op}<Shape::k{shape}>", n) in results]
        if measured:
            targets.append("chain times " + ", ".join(f"{op} at {n:,} <= {ms:g} ms"
                                                      for op, n, ms in measured))
        if weighed:
            targets.append(f"<= {PROVIDER_BYTES_LIMIT:g} heap bytes per parameter at "
                           f"{PROVIDER_LARGE:,}")
        if targets:
            print("Provider targets: " + "; ".join(targets) + ".")
            print()
    return failures


def drawing_runs(results, operation, shape):
    """The runs of BM_Drawing<operation><Shape::k<shape>> by size."""
    name = f"BM_Drawing{operation}<Shape::k{shape}>"
    return {n: run for (key, n), run in results.items() if key == name}


def target_verdict(checks):
    """Each check is (text, met); MET when all are met, with every text."""
    if not checks:
        return ""
    failed = [text for text, met in checks if not met]
    return ("NOT MET: " + ", ".join(failed)) if failed else "MET: " + ", ".join(
        text for text, _ in checks)


def drawing_table(results):
    """Save, open, undo and redo of the provider's drawing, each beside the root edit (made as a
    command) of the same shape and size in the same run; then the undo history of 100 edits."""
    failures = []
    rows = []
    history_rows = []
    targets = {}  # the targets that some row was checked against, in the order first met
    for shape in DRAWING_SHAPES:
        undo_redo = drawing_runs(results, "UndoRedo", shape)
        lines = {"Edit": {}, "Undo": {}, "Redo": {}, "Save": {}, "Open": {}}
        for n, run in undo_redo.items():
            affected = max(run["affected"], 1)
            for operation in ("Edit", "Undo", "Redo"):
                ms = run[operation.lower() + "_ms"]
                lines[operation][n] = (ms, ms / affected, run)
        for operation in ("Save", "Open"):
            for n, run in drawing_runs(results, operation, shape).items():
                lines[operation][n] = (run["ms_per_op"], run["ms_per_op"] / n, run)
        for operation, runs in lines.items():
            for n in sorted(runs):
                ms, per, run = runs[n]
                edit = lines["Edit"].get(n)
                edit_ms = edit[0] if edit else None
                ratio = ms / edit_ms if edit_ms and operation != "Edit" else None
                growth = None
                if n == DRAWING_LARGE and DRAWING_SMALL in runs and runs[DRAWING_SMALL][1] > 0:
                    growth = per / runs[DRAWING_SMALL][1]
                file_bytes = run.get("file_bytes_per_item") if operation == "Save" else None
                checks = []
                if n == DRAWING_LARGE:
                    limit = DRAWING_MS_LIMITS.get(operation)
                    if limit is not None:
                        targets[operation] = f"{operation.lower()} <= {limit:g} ms"
                        checks.append((f"{ms:.0f} ms {'<=' if ms <= limit else '>'} {limit:g}",
                                       ms <= limit))
                    if file_bytes is not None:
                        targets["file"] = (f"<= {DRAWING_FILE_BYTES_LIMIT:g} bytes of file per "
                                           "parameter")
                        met = file_bytes <= DRAWING_FILE_BYTES_LIMIT
                        checks.append((f"{file_bytes:.0f} B/param {'<=' if met else '>'} "
                                       f"{DRAWING_FILE_BYTES_LIMIT:g}", met))
                    if operation in ("Undo", "Redo"):
                        targets[operation] = (f"{operation.lower()} <= "
                                              f"{DRAWING_UNDO_RATIO_LIMIT:g} x the edit")
                        met = ratio is not None and ratio <= DRAWING_UNDO_RATIO_LIMIT
                        shown = f"{ratio:.2f}" if ratio is not None else "unknown"
                        checks.append((f"{shown} x edit {'<=' if met else '>'} "
                                       f"{DRAWING_UNDO_RATIO_LIMIT:g}", met))
                failures += [f"Drawing {operation} {shape}/{n}: {text}"
                             for text, met in checks if not met]
                wall = run.get("wall_ms") if operation in ("Save", "Open") else None
                rows.append((
                    f"{operation} {shape}",
                    f"{n:,}",
                    f"{ms:.2f}",
                    f"{wall:.2f}" if wall is not None else "",
                    f"{edit_ms:.2f}" if edit_ms is not None and operation != "Edit" else "",
                    f"{ratio:.2f}" if ratio is not None else "",
                    f"{growth:.2f}" if growth is not None else "",
                    f"{file_bytes:.0f}" if file_bytes is not None else "",
                    target_verdict(checks),
                ))
        for n, run in sorted(drawing_runs(results, "UndoHistory", shape).items()):
            peak, limit = run["undo_peak"], run["undo_limit"]
            checks = []
            if n == DRAWING_LARGE:
                targets["history"] = "the history of 100 edits never above its bound"
                checks.append((f"peak {'<=' if peak <= limit else '>'} bound", peak <= limit))
            failures += [f"Drawing history {shape}/{n}: {text}" for text, met in checks if not met]
            history_rows.append((
                shape,
                f"{n:,}",
                f"{run['held']:.0f} of {run['edits']:.0f}",
                f"{run['bytes_per_edit']:,.0f}",
                f"{run['undo_bytes']:,.0f}",
                f"{peak:,.0f}",
                f"{limit:,.0f}",
                f"{run['ms_per_op']:.2f}",
                target_verdict(checks),
            ))
    if rows:
        print("Provider drawing in the host (ms of thread CPU per operation; wall ms beside save "
              "and open, which wait for the disk). Edit: the root edit made as a command; undo and "
              "redo take it back and do it again. Growth: per affected parameter (per parameter for "
              f"save and open) from {DRAWING_SMALL:,} to {DRAWING_LARGE:,}, shown, not a target.")
        print_table(("drawing operation", "n", "ms/op", "wall ms", "edit ms", "vs edit", "growth",
                     "file B/param", "targets"), rows, (0, 8))
    if history_rows:
        print("Undo history of 100 root edits, each a command (bytes of undoMemory() against "
              "undoMemoryLimit()):")
        print_table(("shape", "n", "edits held", "bytes/edit", "bytes", "peak", "bound",
                     "ms/edit", "targets"), history_rows, (0, 8))
    if targets:
        print(f"Drawing targets at {DRAWING_LARGE:,}: " + ", ".join(targets.values()) + ".")
        print()
    return failures


def palette_table(results):
    """BM_PaletteLoad<true>/n (the window) beside BM_PaletteLoad<false>/n (the silent palette)."""
    failures = []
    rows = []
    for operation, window, silent in (
            ("Load", "BM_PaletteLoad<true>", "BM_PaletteLoad<false>"),
            ("RootEdit", "BM_PaletteRootEdit<true>", "BM_PaletteRootEdit<false>"),
            ("RootEdit sorted", "BM_PaletteRootEdit<true, true>", "BM_PaletteRootEdit<false>"),
            ("DrawingEdit", "BM_PaletteDrawingEdit<true>", "BM_PaletteDrawingEdit<false>")):
        sizes = sorted(size for key, size in results if key == window)
        for n in sizes:
            ms = results[(window, n)]["ms_per_op"]
            base = results.get((silent, n), {}).get("ms_per_op")
            ratio = ms / base if base else None
            notes = []
            if n == PALETTE_LARGE and operation == "Load":
                notes.append(f"{ms:.0f} ms {'>' if ms > PALETTE_LOAD_MS_LIMIT else '<='} "
                             f"{PALETTE_LOAD_MS_LIMIT:g}")
            if n == PALETTE_LARGE and operation == "RootEdit sorted":
                notes.append(f"{ms:.0f} ms {'>' if ms > PALETTE_SORTED_MS_LIMIT else '<='} "
                             f"{PALETTE_SORTED_MS_LIMIT:g}")
            if n == PALETTE_LARGE and operation == "DrawingEdit" and n != sizes[0]:
                growth = ms / results[(window, sizes[0])]["ms_per_op"]
                notes.append(f"growth {growth:.2f} "
                             f"{'>' if growth > PALETTE_DRAWING_GROWTH_LIMIT else '<='} "
                             f"{PALETTE_DRAWING_GROWTH_LIMIT:g}")
            elif n == PALETTE_LARGE and operation == "RootEdit" and ratio is not None:
                notes.append(f"ratio {ratio:.2f} "
                             f"{'>' if ratio > PALETTE_EDIT_RATIO_LIMIT else '<='} "
                             f"{PALETTE_EDIT_RATIO_LIMIT:g}")
            failed = [note for note in notes if ">" in note and "<=" not in note]
            failures += [f"Palette {operation}/{n}: {note}" for note in failed]
            rows.append((operation, f"{n:,}", f"{ms:.2f}",
                         f"{base:.2f}" if base is not None else "-",
                         f"{ratio:.2f}" if ratio is not None else "-",
                         ("FAIL: " if failed else "ok: " if notes else "") + ", ".join(notes)))
    if rows:
        print("Desktop palette, off-screen (ms per operation):")
        print_table(["operation", "parameters", "window ms", "silent ms", "ratio", "target"],
                    rows, (0, 5))
    return failures


def main(*paths):
    results, errors = {}, []
    for path in paths:
        more, more_errors = load(path)
        results.update(more)
        errors += more_errors
    failures = list(errors)
    failures += provider_table(results)
    failures += drawing_table(results)
    failures += palette_table(results)
    operations = []
    for name, _ in results:
        if name.startswith(("BM_Provider", "BM_Drawing", "BM_Palette")):
            continue
        if name.startswith("BM_") and not name.startswith("BM_Baseline_"):
            operation = name[len("BM_"):]
            if operation not in operations:
                operations.append(operation)

    header = ("operation", "n", "ns/param", "baseline", "ratio", "growth", "bytes/param", "targets")
    rows = []
    for operation in operations:
        sizes = sorted(n for name, n in results if name == "BM_" + operation)
        for n in sizes:
            run = results[("BM_" + operation, n)]
            cost = run["ns_per_item"]
            base_run = results.get(("BM_Baseline_" + operation, n))
            base = base_run["ns_per_item"] if base_run else None
            ratio = cost / base if base else None
            growth = None
            if n == LARGE and ("BM_" + operation, SMALL) in results:
                growth = cost / results[("BM_" + operation, SMALL)]["ns_per_item"]
            bytes_per = run.get("bytes_per_item")
            notes = []
            if operation == "ArrayAppend":
                if ratio is not None and ratio > APPEND_RATIO_LIMIT:
                    notes.append(f"ratio > {APPEND_RATIO_LIMIT:g}")
                notes.append("growth rule exact")  # the benchmark fails otherwise
            if n == LARGE and ratio is not None and ratio > RATIO_LIMIT:
                notes.append(f"ratio > {RATIO_LIMIT:g}")
            if growth is not None and growth > GROWTH_LIMIT:
                notes.append(f"growth > {GROWTH_LIMIT:g}")
            if bytes_per is not None and bytes_per > BYTES_LIMIT:
                notes.append(f"bytes > {BYTES_LIMIT:g}")
            checked = n == LARGE or operation == "ArrayAppend" or bytes_per is not None
            failed = [note for note in notes if ">" in note]
            failures += [f"{operation}/{n}: {note}" for note in failed]
            verdict = ("FAIL: " + ", ".join(failed)) if failed else ("ok" if checked else "")
            rows.append((
                operation,
                f"{n:,}",
                f"{cost:.2f}",
                f"{base:.2f}" if base is not None else "-",
                f"{ratio:.2f}" if ratio is not None else "-",
                f"{growth:.2f}" if growth is not None else "",
                f"{bytes_per:.0f}" if bytes_per is not None else "",
                verdict,
            ))

    if rows:
        print_table(header, rows, (0, 7))
        print(f"Targets: ratio <= {RATIO_LIMIT:g} at {LARGE:,}, growth <= {GROWTH_LIMIT:g} from "
              f"{SMALL:,}, append ratio <= {APPEND_RATIO_LIMIT:g}, <= {BYTES_LIMIT:g} heap bytes "
              "per parameter.")
    if failures:
        print("NOT MET:")
        for failure in failures:
            print("  " + failure)
        return 1
    print("All targets met.")
    return 0


if __name__ == "__main__":
    sys.exit(main(*(sys.argv[1:] or ["build/release/bench.json"])))
