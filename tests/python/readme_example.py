"""Runs the README's "From Python" example as written there, in the current
folder: `make figures` runs it in docs/, the tests in a folder of their own."""

import pathlib

README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def example_code():
    text = README.read_text()
    block = text.split("<!-- python-sweep:begin -->")[1].split("<!-- python-sweep:end -->")[0]
    return "\n".join(line for line in block.splitlines() if not line.startswith("```"))


if __name__ == "__main__":
    exec(compile(example_code(), str(README), "exec"), {"__name__": "__main__"})
