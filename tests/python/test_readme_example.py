import os
import pathlib
import subprocess
import sys
import unittest

from support import temp_dir


class ReadmeExampleTest(unittest.TestCase):
    def test_runs_as_written_and_draws_its_figure(self):
        folder = temp_dir(self)
        script = pathlib.Path(__file__).with_name("readme_example.py")
        subprocess.run([sys.executable, str(script)], cwd=folder, check=True,
                       env={**os.environ, "MPLBACKEND": "Agg"})
        with open(os.path.join(folder, "sweep.png"), "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
