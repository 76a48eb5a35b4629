import io
import json
import os
import threading
import unittest

import numpy as np

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

    def test_a_batch_cut_short_and_continued_from_first_run_is_the_whole_batch(self):
        whole = mirvok.batch(iterations=20000, seed=8, quantify=True)
        cancel = threading.Event()
        part = mirvok.batch(iterations=20000, seed=8, quantify=True, cancel=cancel, threads=1,
                            progress=lambda done, _: done and cancel.set())
        made = len(part["index"])
        self.assertTrue(part["partial"] and 0 < made < 20000)
        rest = mirvok.batch(iterations=20000, seed=8, quantify=True, first_run=made)
        self.assertEqual(json.loads(rest["provenance"])["continued_from"], made)
        for column in ("index", "q", "score", "local_score"):
            self.assertEqual(np.concatenate([part[column], rest[column]]).tolist(),
                             whole[column].tolist())
        self.assertEqual([t.tolist() for t in part["in_trains"] + rest["in_trains"]],
                         [t.tolist() for t in whole["in_trains"]])

    def test_provenance_is_the_entry_the_command_line_writes_for_the_batch(self):
        out = os.path.join(temp_dir(self), "out.csv")
        cli("batch", "--iterations", "20", "--seed", "4", "--cv", "0.3", "--quantify",
            "--segment", "999:10:0.2", "--segment", "1999:30:0.5", "--output", out, "--quiet")
        with open(out + ".json") as f:
            written = json.load(f)[-1]
        made = json.loads(mirvok.batch(iterations=20, seed=4, cv=0.3, quantify=True,
                                       segments=[(999, 10, 0.2), (1999, 30, 0.5)],
                                       trains="flat")["provenance"])
        for key in ("version", "command", "values", "seed", "iterations", "runs"):
            self.assertEqual(made[key], written[key], key)

    def test_each_runs_local_score_is_that_of_its_train_run_alone(self):
        b = mirvok.batch(iterations=40, seed=2, c0=0.2)
        alone = [mirvok.run(train, c0=0.2)["local_score"] for train in b["in_trains"]]
        self.assertEqual(b["local_score"].tolist(), alone)

    def test_runs_hold_the_per_run_columns_and_flat_trains_go_into_an_npz(self):
        b = mirvok.batch(iterations=30, seed=6)
        self.assertEqual(list(b["runs"]), ["index", "in_spikes", "cv", "out_spikes", "q",
                                           "score", "local_score"])
        self.assertTrue(all(b["runs"][name] is b[name] for name in b["runs"]))

        flat = mirvok.batch(iterations=30, seed=6, trains="flat")
        stored = io.BytesIO()
        np.savez(stored, **flat)
        stored.seek(0)
        loaded = np.load(stored)
        for side in ("in", "out"):
            trains = loaded[side + "_trains"]
            offsets = loaded[side + "_offsets"]
            self.assertEqual([trains[offsets[i]:offsets[i + 1]].tolist() for i in range(30)],
                             [t.tolist() for t in b[side + "_trains"]])
        self.assertEqual(loaded["q"].tolist(), b["q"].tolist())
        self.assertEqual(float(loaded["avl"]), b["avl"])

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
