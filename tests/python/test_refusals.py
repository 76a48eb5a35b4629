import unittest

import numpy as np

import mirvok


class RefusalTest(unittest.TestCase):
    def test_refused_values_raise_naming_the_argument(self):
        cases = [
            (lambda: mirvok.batch(time=-5), ValueError, "time: "),
            (lambda: mirvok.batch(gamma1=float("nan")), ValueError, "gamma1: "),
            (lambda: mirvok.batch(gamma1="0.01"), TypeError, "gamma1: "),
            (lambda: mirvok.batch(cv=True), TypeError, "cv: "),
            (lambda: mirvok.batch(seed=-1), ValueError, "seed: "),
            (lambda: mirvok.batch(iterations=-1), ValueError, "iterations: "),
            (lambda: mirvok.batch(c01=True), ValueError, "c01: "),
            (lambda: mirvok.batch(iterations=2_000_000_000), ValueError, "iterations: keeping"),
            # In the command line's words, naming the keyword.
            (lambda: mirvok.generate(segments=[(3000, 20, 0.1)]), ValueError,
             "segments: END 3000 lies beyond the last step 1999"),
            (lambda: mirvok.run([1.5, 2]), TypeError, "train: "),
            (lambda: mirvok.run([[1, 2]]), ValueError, "train: "),
            (lambda: mirvok.sweep({"speed": [1]}), ValueError, "vary: "),
            (lambda: mirvok.sweep({"cv": []}), ValueError, "vary: "),
            (lambda: mirvok.sweep({"isi": [20, 0]}, iterations=1), ValueError, ""),
            (lambda: mirvok.read_results("/no/such/file.csv"), OSError,
             "Could not read the file /no/such/file.csv"),
            (lambda: mirvok.batch(gama1=0.01), TypeError,
             "batch() got an unexpected keyword argument 'gama1'. Did you mean 'gamma1'?"),
            (lambda: mirvok.batch(gamma1=np.array([0.009])), TypeError, "gamma1: "),
            (lambda: mirvok.batch(delta1=1e308), ValueError, "delta1: Floating point overflow"),
            (lambda: mirvok.batch(threads=257), ValueError,
             "threads: '257' is not a valid thread count: at most 256"),
            (lambda: mirvok.batch(trains="flat2"), ValueError, "trains: "),
            (lambda: mirvok.batch(progress=1), TypeError, "progress: "),
            (lambda: mirvok.replay([[2.5], [-0.5]], unit="ms"), ValueError, "input_trains[1]: "),
            (lambda: mirvok.replay([[float("nan")]], unit="ms"), ValueError, "input_trains[0]: "),
            (lambda: mirvok.replay([[2.5]]), TypeError, "input_trains[0]: "),
            (lambda: mirvok.replay([[2]], unit="s"), ValueError, "unit: "),
            (lambda: mirvok.generate(return_seed="yes"), TypeError,
             "return_seed: True or False is needed, not str"),
            (lambda: mirvok.batch(quantify=None), TypeError, "quantify: "),
            (lambda: mirvok.generate(seed=2**31), ValueError,
             "seed: 2147483648 is out of range: an integer from -2147483648 to 2147483647"),
            (lambda: mirvok.run([], time=10**12), ValueError, "time: 1000000000000 is out of"),
            (lambda: mirvok.sweep({"cv": 0.1}), TypeError, "vary: cv: a list of values"),
            (lambda: mirvok.generate(isi_jitter=20), ValueError, "isi_jitter: the shift must"),
            (lambda: mirvok.batch(cv=1e-9), ValueError, "cv: this CV is too small"),
            (lambda: mirvok.batch(iterations=5, first_run=6), ValueError, "first_run: "),
        ]
        for call, error, start in cases:
            with self.subTest(start=start, error=error):
                with self.assertRaises(error) as raised:
                    call()
                self.assertTrue(str(raised.exception).startswith(start), str(raised.exception))

    def test_a_numpy_scalar_or_0_d_array_is_its_value(self):
        given = mirvok.batch(iterations=np.int64(20), seed=np.int32(3), cv=np.array(0.5),
                             gamma1=np.float64(0.012), quantify=np.bool_(False))
        plain = mirvok.batch(iterations=20, seed=3, cv=0.5, gamma1=0.012)
        self.assertEqual(given["q"].tolist(), plain["q"].tolist())


if __name__ == "__main__":
    unittest.main()
