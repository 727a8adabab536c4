"""Runs a Qt Test program built for the browser in headless Chromium, as CTest's emulator for that
build: run-in-chromium.py path/to/test.js [ARGUMENTS...]. The program's output is printed as it
comes; the exit status is the program's."""

import json
import pathlib
import re
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
import harness  # noqa: E402

TIMEOUT = 600  # seconds; a test that hangs fails rather than outlasting CTest

PAGE = """<!DOCTYPE html>
<html lang="ru"><head><meta charset="utf-8"><title>{name}</title><link rel="icon" href="data:,"></head>
<body style="margin:0"><div id="screen" style="position:absolute;inset:0"></div>
<script src="qtloader.js"></script><script src="{name}.js"></script>
<script>
window.testOutput = [];
qtLoad({{
  arguments: {arguments},
  print: line => testOutput.push(line),
  printErr: line => testOutput.push(line),
  qt: {{
    containerElements: [document.getElementById("screen")],
    entryFunction: window.{entry},
    onExit: exit => {{ window.testExit = exit; }},
  }},
}}).catch(error => {{ window.testExit = {{ crashed: true, text: String(error) }}; }});
</script></body></html>
"""


def main():
    program = pathlib.Path(sys.argv[1]).resolve()
    name = program.stem
    entry = "".join(c if c.isalnum() or c == "_" else "_" for c in name) + "_entry"
    page = PAGE.format(name=name, entry=entry, arguments=json.dumps(sys.argv[2:]))
    shown = 0

    def ended():
        nonlocal shown
        lines, status = driver.execute_script("return [window.testOutput, window.testExit ?? null]")
        for line in lines[shown:]:
            print(line, flush=True)
            # Qt's timers keep the runtime alive past main, so a test that has run to its end is
            # known by its totals; its status is the count of failures, as main returns it.
            if totals := re.match(r"Totals: \d+ passed, (\d+) failed", line):
                status = {"code": int(totals[1]), "crashed": False}
        shown = len(lines)
        return status

    with tempfile.NamedTemporaryFile("w", suffix=".html") as page_file, \
            harness.served(program.parent, {"/run-test.html": page_file.name}) as address, harness.chromium() as driver:
        page_file.write(page)
        page_file.flush()
        driver.get(address + "run-test.html")
        status = harness.wait(f"the end of {name}", ended, TIMEOUT, every=0.2)
        for message in harness.console_errors(driver):
            print(f"console: {message}", flush=True)
    if status.get("crashed"):
        print(f"{name}: crashed: {status.get('text')}", flush=True)
        return 1
    return status.get("code", 1)


if __name__ == "__main__":
    harness.command("run-in-chromium", main)
