import os
import pathlib
import subprocess
import sys
import unittest

from support import temp_dir

SCRIPT = pathlib.Path(__file__).with_name("readme_example.py")


def run_example(folder, *args):
    return subprocess.run([sys.executable, str(SCRIPT), *args], cwd=folder, check=True,
                          capture_output=True, text=True, env={**os.environ, "MPLBACKEND": "Agg"})


class ReadmeExampleTest(unittest.TestCase):
    def test_the_sweep_runs_as_written_and_draws_its_figure(self):
        folder = temp_dir(self)
        run_example(folder)
        with open(os.path.join(folder, "sweep.png"), "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_the_batch_and_replay_run_as_written(self):
        done = run_example(temp_dir(self), "python-daily")
        self.assertIn("mirvok: 20000 of 20000, ", done.stderr)
        self.assertTrue(done.stdout.startswith("seed 7: mean q "), done.stdout)

    def test_the_typed_calls_and_the_neo_round_trip_run_as_written(self):
        for name in ("python-typed", "python-neo"):
            run_example(temp_dir(self), name)


if __name__ == "__main__":
    unittest.main()
