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
        self.assertEqual(list(s), list(rows[0]))
        for name, column in s.items():
            expected = [float(row[name]) for row in rows]
            got = [float(v) for v in column]
            same = [a == b or (math.isnan(a) and math.isnan(b)) for a, b in zip(got, expected)]
            self.assertEqual(len(got), 4, name)
            self.assertTrue(all(same), (name, got, expected))


if __name__ == "__main__":
    unittest.main()
