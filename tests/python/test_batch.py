import os
import unittest

import mirvok
from support import cli, record_line, temp_dir


class BatchTest(unittest.TestCase):
    def test_records_and_averages_equal_the_command_lines_for_the_same_seed(self):
        cases = [
            ({}, []),
            ({"gamma1": 0.012, "isi_jitter": 2.5, "quantify": True, "c01": True},
             ["--gamma1", "0.012", "--isi-jitter", "2.5", "--quantify", "--c01"]),
            ({"time": 500, "segments": [(399, 10, 0.1), (999, 25.5, 0.3)]},
             ["--time", "500", "--segment", "399:10:0.1", "--segment", "999:25.5:0.3"]),
        ]
        folder = temp_dir(self)
        for values, options in cases:
            with self.subTest(options=options):
                out = os.path.join(folder, "out.csv")
                summary = cli("batch", "--iterations", "150", "--seed", "9", "--threads", "1",
                              "--output", out, "--quiet", *options)
                b = mirvok.batch(iterations=150, seed=9, threads=2, **values)
                with open(out) as f:
                    lines = f.readlines()
                self.assertEqual(lines[1:], [record_line(b, i) for i in range(150)])
                self.assertIn("avg: %.5f\navl: %.5f\n" % (b["avg"], b["avl"]), summary)

    def test_read_results_gives_the_records_of_a_file(self):
        folder = temp_dir(self)
        out = os.path.join(folder, "out.csv")
        cli("batch", "--iterations", "20", "--seed", "4", "--output", out, "--quiet")
        cli("batch", "--iterations", "3", "--seed", "5", "--isi", "12.5", "--output", out,
            "--append", "--quiet")
        first, second = mirvok.read_results(out)
        b = mirvok.batch(iterations=20, seed=4)
        self.assertEqual((first["isi"], first["shape"], first["iterations"]), (20, 2500, 20))
        self.assertEqual((first["damaged"], first["partial"]), (0, 0))
        self.assertEqual(first["index"].tolist(), b["index"].tolist())
        self.assertEqual(first["out_spikes"].tolist(), b["out_spikes"].tolist())
        self.assertEqual(["%.2f" % q for q in first["q"]], ["%.2f" % q for q in b["q"]])
        self.assertEqual([t.tolist() for t in first["out_trains"]],
                         [t.tolist() for t in b["out_trains"]])
        self.assertEqual((second["isi"], len(second["index"])), (12.5, 3))


if __name__ == "__main__":
    unittest.main()
