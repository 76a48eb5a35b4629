"""Runs one of the README's "From Python" examples as written there, in the
current folder: `make figures` runs the sweep (the default) in docs/, the
tests each example in a folder of their own.

    readme_example.py [python-sweep | python-daily]
"""

import pathlib
import sys

README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def example_code(name="python-sweep"):
    text = README.read_text()
    block = text.split(f"<!-- {name}:begin -->")[1].split(f"<!-- {name}:end -->")[0]
    return "\n".join(line for line in block.splitlines() if not line.startswith("```"))


if __name__ == "__main__":
    name = sys.argv[1] if len(sys.argv) > 1 else "python-sweep"
    exec(compile(example_code(name), str(README), "exec"), {"__name__": "__main__"})
