import json
import os
import unittest

import numpy as np

import mirvok
from support import cli, temp_dir


class RunTest(unittest.TestCase):
    def test_equals_the_command_lines_run_for_the_keys_both_give(self):
        folder = temp_dir(self)
        train = os.path.join(folder, "train.txt")
        cli("generate", "--out", train, "--seed", "11", "--cv", "0.3")
        with open(train) as f:
            steps = [int(s) for s in f.read().split(",") if s.strip()]
        self.assertEqual(mirvok.generate(seed=11, cv=0.3).tolist(), steps)

        expected = json.loads(cli("run", "--train", train, "--gamma2", "0.008", "--ign", "40"))
        r = mirvok.run(np.array(steps, dtype=np.uint16), gamma2=0.008, ign=40)
        shared = {"in_steps": "input_spikes", "out_steps": "output_spikes",
                  "local_cv": "local_cv", "q": "transmission_ratio", "cv": "isi_cv",
                  "score": "analysis_result", "local_score": "local_score_mean",
                  "final_v1": "v1", "final_v2": "v2"}
        for ours, theirs in shared.items():
            value = r[ours].tolist() if isinstance(r[ours], np.ndarray) else r[ours]
            self.assertEqual(value, expected[theirs], ours)
        self.assertEqual(len(r["v1"]), expected["nsteps"])

    def test_generate_returns_the_clocks_seed_it_used(self):
        train, seed = mirvok.generate(cv=0.4, return_seed=True)
        self.assertEqual(train.tolist(), mirvok.generate(cv=0.4, seed=seed).tolist())

    def test_steps_outside_the_run_are_left_out_and_counted(self):
        r = mirvok.run([-3, 10, 50, 2000, 2**40], time=1000)
        self.assertEqual(r["in_steps"].tolist(), [10, 50])
        self.assertEqual(r["skipped"], 3)

    def test_arrays_outlive_the_result_without_a_copy(self):
        r = mirvok.run(mirvok.generate(seed=2))
        v1 = r["v1"]
        first = v1[:10].copy()
        del r
        self.assertFalse(v1.flags.owndata)
        self.assertEqual(v1[:10].tolist(), first.tolist())


if __name__ == "__main__":
    unittest.main()
