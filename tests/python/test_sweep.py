import csv
import math
import os
import unittest

import mirvok
from support import cli, temp_dir


class SweepTest(unittest.TestCase):
    def test_columns_equal_the_command_lines_summary_for_the_same_seed(self):
        folder = temp_dir(self)
        cli("sweep", "--vary", "cv=0.005,0.3", "--vary", "ign=0:20:20", "--iterations", "30",
            "--seed", "3", "--threads", "1", "--delta1", "0.5", "--out", folder, "--quiet")
        with open(os.path.join(folder, "summary.csv")) as f:
            rows = list(csv.DictReader(f))
        s = mirvok.sweep({"cv": [0.005, 0.3], "ign": range(0, 21, 20)}, iterations=30, seed=3,
                         threads=2, delta1=0.5)
        self.assertEqual(list(s)[:len(rows[0])], list(rows[0]))
        for name in rows[0]:
            expected = [float(row[name]) for row in rows]
            got = [float(v) for v in s[name]]
            same = [a == b or (math.isnan(a) and math.isnan(b)) for a, b in zip(got, expected)]
            self.assertEqual(len(got), 4, name)
            self.assertTrue(all(same), (name, got, expected))

    def test_gives_its_seed_which_makes_the_same_sweep_again(self):
        s = mirvok.sweep({"isi": [10, 20]}, iterations=5)
        again = mirvok.sweep({"isi": [10, 20]}, iterations=5, seed=s["sweep_seed"])
        self.assertEqual(s["q_mean"].tolist(), again["q_mean"].tolist())
        self.assertEqual((s["partial"], again["partial"]), (False, False))


if __name__ == "__main__":
    unittest.main()
