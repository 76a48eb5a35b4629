"""Type-checks every Python example of the README and docs/ as a user's
editor would: each ```python block a module of its own, under
mypy --strict, against the package's stub (MYPYPATH). pandas, matplotlib,
neo and quantities ship no types in Debian, so their imports are Any.

    check_examples.py PROJECT_DIR WORK_DIR
"""

import pathlib
import re
import subprocess
import sys

BLOCK = re.compile(r"^```python\n(.*?)^```", re.S | re.M)
CONFIG = """[mypy]
strict = True
cache_dir = {cache}

[mypy-pandas.*,matplotlib.*,neo.*,quantities.*]
ignore_missing_imports = True
"""


def main(project, work):
    work.mkdir(parents=True, exist_ok=True)
    for old in work.glob("*.py"):
        old.unlink()
    files = []
    for doc in [project / "README.md", *sorted((project / "docs").glob("*.md"))]:
        for n, code in enumerate(BLOCK.findall(doc.read_text())):
            path = work / f"{doc.stem.lower()}_{n}.py"
            path.write_text(code)
            files.append(str(path))
    if not files:
        sys.exit("check_examples.py: no Python example found")
    config = work / "mypy.ini"
    config.write_text(CONFIG.format(cache=work / ".mypy_cache"))
    done = subprocess.run([sys.executable, "-m", "mypy", "--config-file", str(config), *files])
    sys.exit(done.returncode)


if __name__ == "__main__":
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
