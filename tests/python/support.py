"""What the module's tests share: the command-line tool to compare with,
temporary folders, and the record line as the result file writes it."""

import os
import subprocess
import tempfile


def cli(*args):
    """Runs mirvok-cli (MIRVOK_CLI) and returns its standard output."""
    done = subprocess.run([os.environ["MIRVOK_CLI"], *args], check=True,
                          capture_output=True, text=True)
    return done.stdout


def temp_dir(test):
    """A folder removed when the test ends."""
    folder = tempfile.TemporaryDirectory()
    test.addCleanup(folder.cleanup)
    return folder.name


def steps_text(steps):
    return "".join("%4d," % s for s in steps)


def record_line(b, i):
    """Run i of a batch's columns as its record line in the result file."""
    return '%4d;%2d;%4.2f;%2d;%4.2f;%4.2f;"%s";"%s";\n' % (
        b["index"][i], b["in_spikes"][i], b["cv"][i], b["out_spikes"][i],
        b["q"][i], b["score"][i], steps_text(b["in_trains"][i]),
        steps_text(b["out_trains"][i]))
